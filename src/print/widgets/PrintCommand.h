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
inline const QString ExportedStatus = QStringLiteral("Kit sheet saved as PDF.");
inline const QString PdfFilter = QStringLiteral("PDF Files (*.pdf)");

// File > Print: the printer dialog (Cancel ends the command before anything
// else is touched), the pending pad edit ended, a settle for the repaints,
// then the kit sheet captured from sheetWindow, starting at sheetOrigin, and
// printed on one page. A failure is shown in a plain box with its reason,
// and the success text is then not shown.
void MnuFile_Print(QWidget& sheetWindow, QPoint sheetOrigin, WindowShell& shell, Desktop& desktop,
                   const MillisecondClock& now = steadyMilliseconds);

// File > Export Kit Sheet as PDF...: as Print, but the page goes to the PDF
// file chosen in the editor's own save dialog, which never opens the name
// before the save refuses what is not a regular file.
void MnuFile_ExportPdf(QWidget& sheetWindow, QPoint sheetOrigin, WindowShell& shell, Desktop& desktop,
                       const MillisecondClock& now = steadyMilliseconds);

// Runs MnuFile_Print when print is triggered and MnuFile_ExportPdf when
// exportPdf is; the kit sheet starts at the top-left of the window's central
// widget, below the menu bar.
void connectPrintCommands(QAction& print, QAction& exportPdf, QMainWindow& window, WindowShell& shell,
                          Desktop& desktop, const MillisecondClock& now = steadyMilliseconds);

}  // namespace morvane
