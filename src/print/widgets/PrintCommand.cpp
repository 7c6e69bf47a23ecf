#include "PrintCommand.h"

#include "KitSheetPrint.h"
#include "platform/Desktop.h"
#include "platform/WindowShell.h"

#include <QAction>
#include <QMainWindow>
#include <QPrinter>

namespace morvane {
namespace {

// A reason is a phrase of its own or, from a file save, a sentence.
QString failureText(const QString& failed, const std::string& reason)
{
    QString text = failed + QString::fromStdString(reason);
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    return text;
}

void printSheet(QPrinter& printer, QWidget& sheetWindow, QPoint sheetOrigin, WindowShell& shell,
                Desktop& desktop, const MillisecondClock& now, const QString& failed, const QString& done)
{
    // The sheet shows stored values; a refused commit keeps its text and marker, and printing goes on.
    shell.commitPendingPadEdit();
    settleBeforeCapture(desktop, now);

    const QPixmap sheet = Capture_Kit_Sheet(sheetWindow, sheetOrigin);
    const Status printed = Print_Scaled_To_Page(printer, sheet);
    if (!printed) {
        desktop.messageBox(failureText(failed, printed.error()), MessageStyle::Plain);
        return;
    }
    shell.Status_Update(done);
}

}  // namespace

void MnuFile_Print(QWidget& sheetWindow, QPoint sheetOrigin, WindowShell& shell, Desktop& desktop,
                   const MillisecondClock& now)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!desktop.choosePrinter(printer)) return;
    printSheet(printer, sheetWindow, sheetOrigin, shell, desktop, now,
               QStringLiteral("The kit sheet could not be printed: "), PrintedStatus);
}

void MnuFile_ExportPdf(QWidget& sheetWindow, QPoint sheetOrigin, WindowShell& shell, Desktop& desktop,
                       const MillisecondClock& now)
{
    const auto path = desktop.saveFileName({PdfFilter, {}});
    if (!path) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*path);
    printSheet(printer, sheetWindow, sheetOrigin, shell, desktop, now,
               QStringLiteral("The kit sheet could not be saved as PDF: "), ExportedStatus);
}

void connectPrintCommands(QAction& print, QAction& exportPdf, QMainWindow& window, WindowShell& shell,
                          Desktop& desktop, const MillisecondClock& now)
{
    const auto sheetOrigin = [&window] {
        const QWidget* client = window.centralWidget();
        return client ? client->pos() : QPoint();
    };
    QObject::connect(&print, &QAction::triggered, &window, [&window, &shell, &desktop, now, sheetOrigin] {
        MnuFile_Print(window, sheetOrigin(), shell, desktop, now);
    });
    QObject::connect(&exportPdf, &QAction::triggered, &window, [&window, &shell, &desktop, now, sheetOrigin] {
        MnuFile_ExportPdf(window, sheetOrigin(), shell, desktop, now);
    });
}

}  // namespace morvane
