#pragma once

#include "print/SettleWait.h"

#include <QPoint>
#include <QString>

class QAction;
class QMainWindow;
class QWidget;

namespace morvane {

class Desktop;
class WindowShell;

inline const QString PrintedStatus = QStringLiteral("Kit sent successfully to printer.");

// File > Print: the printer dialog (Cancel ends the command before anything
// else is touched), the pending pad edit ended, a settle for the repaints,
// then the kit sheet captured from sheetWindow, starting at sheetOrigin, and
// printed on one page. A failure is shown in a plain box with its reason,
// and the success text is then not shown.
void MnuFile_Print(QWidget& sheetWindow, QPoint sheetOrigin, WindowShell& shell, Desktop& desktop,
                   const MillisecondClock& now = steadyMilliseconds);

// Runs MnuFile_Print when print is triggered; the kit sheet starts at the
// top-left of the window's central widget, below the menu bar.
void connectPrintCommand(QAction& print, QMainWindow& window, WindowShell& shell, Desktop& desktop,
                         MillisecondClock now = steadyMilliseconds);

}  // namespace morvane
