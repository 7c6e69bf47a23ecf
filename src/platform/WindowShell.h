#pragma once

#include <QString>

namespace morvane {

// What a command asks of the main window, whichever layer it lives in.
class WindowShell {
public:
    virtual ~WindowShell() = default;

    virtual void Status_Update(const QString& text) = 0;
    // Pad_Clicked(-1, false): a pad value being typed is committed (or
    // refused with its own message) and the selection is cleared, as a
    // command needs before it reads or shows the kit.
    virtual void commitPendingPadEdit() = 0;
};

}  // namespace morvane
