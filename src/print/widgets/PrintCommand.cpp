#include "PrintCommand.h"

#include "platform/Desktop.h"
#include "KitSheetPrint.h"

#include <QAction>
#include <QMainWindow>
#include <QPrinter>

#include <memory>
#include <utility>

namespace morvane {
namespace {

QString failureText(const std::string& reason)
{
    return QStringLiteral("The kit sheet could not be printed: %1.").arg(QString::fromStdString(reason));
}

class MainWindowKitSheet final : public KitSheetWindow {
public:
    MainWindowKitSheet(QMainWindow& window, PrintHooks hooks) : window_(window), hooks_(std::move(hooks)) {}

    QWidget& sheetWindow() override { return window_; }
    QPoint sheetOrigin() const override
    {
        const QWidget* client = window_.centralWidget();
        return client ? client->pos() : QPoint();
    }
    void endPadEditing() override { hooks_.endPadEditing(); }
    void Status_Update(const QString& text) override { hooks_.statusUpdate(text); }

private:
    QMainWindow& window_;
    PrintHooks hooks_;
};

}  // namespace

void MnuFile_Print(KitSheetWindow& window, Desktop& desktop, const MillisecondClock& now)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!desktop.choosePrinter(printer)) return;

    // The sheet shows stored values; a refused commit keeps its text and marker, and printing goes on.
    window.endPadEditing();
    settleBeforeCapture(desktop, now);

    const QPixmap sheet = Capture_Kit_Sheet(window.sheetWindow(), window.sheetOrigin());
    const Status printed = Print_Scaled_To_Page(printer, sheet);
    if (!printed) {
        desktop.messageBox(failureText(printed.error()), MessageStyle::Plain);
        return;
    }
    window.Status_Update(PrintedStatus);
}

void connectPrintCommand(QMainWindow& window, Desktop& desktop, PrintHooks hooks, MillisecondClock now)
{
    auto* print = window.findChild<QAction*>(QStringLiteral("MnuFile_Print"));
    Q_ASSERT(print);
    if (!print) return;
    auto sheet = std::make_shared<MainWindowKitSheet>(window, std::move(hooks));
    QObject::connect(print, &QAction::triggered, &window,
                     [sheet, &desktop, now = std::move(now)] { MnuFile_Print(*sheet, desktop, now); });
}

}  // namespace morvane
