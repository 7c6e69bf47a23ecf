#include "PrintCommand.h"

#include "KitSheetPrint.h"
#include "platform/Desktop.h"
#include "platform/WindowShell.h"

#include <QAction>
#include <QMainWindow>
#include <QPrinter>

#include <utility>

namespace morvane {
namespace {

QString failureText(const std::string& reason)
{
    return QStringLiteral("The kit sheet could not be printed: %1.").arg(QString::fromStdString(reason));
}

}  // namespace

void MnuFile_Print(QWidget& sheetWindow, QPoint sheetOrigin, WindowShell& shell, Desktop& desktop,
                   const MillisecondClock& now)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!desktop.choosePrinter(printer)) return;

    // The sheet shows stored values; a refused commit keeps its text and marker, and printing goes on.
    shell.commitPendingPadEdit();
    settleBeforeCapture(desktop, now);

    const QPixmap sheet = Capture_Kit_Sheet(sheetWindow, sheetOrigin);
    const Status printed = Print_Scaled_To_Page(printer, sheet);
    if (!printed) {
        desktop.messageBox(failureText(printed.error()), MessageStyle::Plain);
        return;
    }
    shell.Status_Update(PrintedStatus);
}

void connectPrintCommand(QAction& print, QMainWindow& window, WindowShell& shell, Desktop& desktop,
                         MillisecondClock now)
{
    QObject::connect(&print, &QAction::triggered, &window, [&window, &shell, &desktop, now = std::move(now)] {
        const QWidget* client = window.centralWidget();
        MnuFile_Print(window, client ? client->pos() : QPoint(), shell, desktop, now);
    });
}

}  // namespace morvane
