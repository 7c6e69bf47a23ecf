#pragma once

#include <functional>

namespace morvane {

// The range of the receive dialog's progress bar.
inline constexpr int ReceiveProgressMaximum = 2238;

// The small modeless window shown while a kit dump is awaited.
class ReceiveDialog {
public:
    virtual ~ReceiveDialog() = default;

    virtual void setProgressRange(int maximum) = 0;  // from 0
    virtual void setProgress(int value) = 0;
    virtual int progressMaximum() const = 0;

    virtual void showModeless() = 0;
    // Closes the window; its close handler runs as for Cancel or the close box.
    virtual void closeDialog() = 0;
    virtual void setCloseHandler(std::function<void()> handler) = 0;
};

}  // namespace morvane
