#include "print/PrintCommand.h"

#include "platform/Desktop.h"
#include "print/KitSheetPrint.h"

#include <QPrinter>

namespace morvane {
namespace {

QString failureText(const std::string& reason)
{
    return QStringLiteral("The kit sheet could not be printed: %1.").arg(QString::fromStdString(reason));
}

}  // namespace

void MnuFile_Print(KitSheetWindow& window, Desktop& desktop, const MillisecondClock& now)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!desktop.choosePrinter(printer)) return;

    // The sheet shows stored values; a refused commit keeps its text and marker, and printing goes on.
    window.Pad_Clicked(-1, false);
    settleBeforeCapture(desktop, now);

    const QPixmap sheet = Capture_Kit_Sheet(window.sheetWindow(), window.sheetOrigin());
    const Status printed = Print_Scaled_To_Page(printer, sheet);
    if (!printed) {
        desktop.messageBox(failureText(printed.error()), MessageStyle::Plain);
        return;
    }
    window.Status_Update(PrintedStatus);
}

}  // namespace morvane
