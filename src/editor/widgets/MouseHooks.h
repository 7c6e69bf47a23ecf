#pragma once

#include <functional>

class QWidget;

namespace morvane {

// Gives a control its own mouse-move and click handling (any may be empty)
// and keeps those events from reaching the window behind it, where a move
// clears the hover feedback and a click ends pad editing. A click with Ctrl
// held goes to ctrlClicked when there is one.
void handleMouse(QWidget* control, std::function<void()> moved, std::function<void()> clicked,
                 std::function<void()> ctrlClicked = {});

// A control that does nothing with the mouse but still stands in its way.
inline void ignoreMouse(QWidget* control) { handleMouse(control, {}, {}); }

}  // namespace morvane
