#pragma once

#include "print/SettleWait.h"

#include <QPoint>
#include <QString>

#include <functional>

class QMainWindow;
class QWidget;

namespace morvane {

class Desktop;

// What the print command needs of the main window.
class KitSheetWindow {
public:
    virtual ~KitSheetWindow() = default;
    // The window the kit sheet is captured from.
    virtual QWidget& sheetWindow() = 0;
    // The top-left of its client area below the menu bar, in window coordinates.
    virtual QPoint sheetOrigin() const = 0;
    // Pad_Clicked(-1, False): commits a pending pad edit and hides the selection.
    virtual void endPadEditing() = 0;
    virtual void Status_Update(const QString& text) = 0;
};

inline const QString PrintedStatus = QStringLiteral("Kit sent successfully to printer.");

// File > Print: the printer dialog (Cancel ends the command before anything
// else is touched), the pending pad edit ended, a settle for the repaints,
// then the kit sheet captured and printed on one page. A failure is shown in
// a plain box with its reason, and the success text is then not shown.
void MnuFile_Print(KitSheetWindow& window, Desktop& desktop, const MillisecondClock& now = steadyMilliseconds);

// What a main window offers the print command besides itself.
struct PrintHooks {
    std::function<void()> endPadEditing;
    std::function<void(const QString&)> statusUpdate;
};

// Runs MnuFile_Print when the window's action named "MnuFile_Print" is
// triggered; the kit sheet starts at the top-left of its central widget.
void connectPrintCommand(QMainWindow& window, Desktop& desktop, PrintHooks hooks,
                         MillisecondClock now = steadyMilliseconds);

}  // namespace morvane
