#pragma once

#include "editor/Compensation.h"

#include <QFrame>

namespace morvane {

// The panel that covers the pad board and the logo until the first kit is
// decoded, telling the user how to get one.
class NoKitFrame final : public QFrame {
public:
    NoKitFrame(QWidget* face, const Compensation& compensation);

    // Shown over the whole face; hidden keeps its place.
    void Display_No_Kit_Loaded_Frame(bool visible);

private:
    void usePlainPanelColours();
};

}  // namespace morvane
