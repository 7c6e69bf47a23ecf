// The print command driven headless with the scripted desktop, printing for
// real into a PDF file that poppler's pdftoppm turns back into pixels.
#include "editor/widgets/MainWindow.h"
#include "print/widgets/KitSheetPrint.h"
#include "platform/UserSettings.h"
#include "platform/WindowShell.h"
#include "print/widgets/PrintCommand.h"
#include "support/KitFiles.h"
#include "support/RecordingKitHistory.h"
#include "support/LoopbackMidiDevices.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <tuple>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

constexpr double MarginMillimetres = 10;
constexpr int RasterDpi = 100;

// A window of the sheet's size that counts what the command asks of it.
class SheetWindowStub final : public QWidget, public WindowShell {
public:
    SheetWindowStub() { resize(KitSheetSize); }
    void commitPendingPadEdit() override { ++editEnds; }
    void Status_Update(const QString& text) override { statusTexts << text; }

    int editEnds = 0;
    QStringList statusTexts;
};

MillisecondClock clockOf(const ScriptedDesktop& desktop)
{
    return [&desktop] { return desktop.sleptMilliseconds(); };
}

// The printer dialog is accepted with an A4 PDF file as the printer.
void printToPdf(ScriptedDesktop& desktop, const QString& path)
{
    desktop.printerAccepted = true;
    desktop.configurePrinter = [path](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(1, 1, 1, 1) * MarginMillimetres, QPageLayout::Millimeter);
    };
}

// The PDF's first page as pixels, and the box around all that is not paper white in it.
QImage rasterisedPage(const QString& pdf)
{
    const QStringList arguments{"-r", QString::number(RasterDpi), "-png", "-singlefile", pdf, pdf};
    return QProcess::execute("pdftoppm", arguments) == 0 ? QImage(pdf + ".png") : QImage();
}
QRect inkBounds(const QImage& page)
{
    QRect bounds;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 240) bounds |= QRect(x, y, 1, 1);
    return bounds;
}
double meanBrightness(const QImage& page, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) sum += qGray(page.pixel(x, y));
    return sum / (area.width() * area.height());
}

}  // namespace

TEST(PrintCommand, CancellingTouchesNothingAndAPdfIsWholeOrNotThere)
{
    QTemporaryDir folder;
    ScriptedDesktop desktop;
    SheetWindowStub window;
    window.show();
    MnuFile_Print(window, {}, window, desktop, clockOf(desktop));
    MnuFile_ExportPdf(window, {}, window, desktop, clockOf(desktop));
    EXPECT_EQ(window.editEnds + desktop.pendingEventRuns + desktop.messages.size(), 0U) << "a pending edit stays";

    // A pipe stands for any file that is not a regular one; opening it would block.
    const QString pipe = folder.filePath("pipe.pdf");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString older = folder.filePath("older.pdf");
    QFile oldFile(older);
    ASSERT_TRUE(oldFile.open(QIODevice::WriteOnly) && oldFile.write(QByteArray(4096, 'p')) == 4096);
    oldFile.close();
    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    // The 1 KiB rows stand for a disk that fills up: a write comes back short, then fails.
    const std::tuple<QString, QString, rlim_t> failures[] = {
        {folder.filePath("missing-folder/sheet.pdf"), "the folder cannot be written to", unlimited.rlim_cur},
        {pipe, "it is a named pipe (FIFO), not a file.", unlimited.rlim_cur},
        {folder.filePath("sheet.pdf"), "writing failed", 1024},
        {older, "writing failed", 1024},
    };
    for (const auto& [target, reason, sizeLimit] : failures) {
        desktop.saveChoices = {target};
        const rlimit limited{sizeLimit, unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        MnuFile_ExportPdf(window, {}, window, desktop, clockOf(desktop));
        setrlimit(RLIMIT_FSIZE, &unlimited);
        ASSERT_FALSE(desktop.messages.empty());
        EXPECT_TRUE(desktop.messages.back().text.startsWith("The kit sheet could not be saved as PDF: Cannot save \"" +
                                                            target + "\": " + reason))
            << desktop.messages.back().text.toStdString();
        EXPECT_EQ(QFileInfo(target).isFile() ? QFileInfo(target).size() : 0, target == older ? 4096 : 0)
            << "no PDF, whole or partial, takes its place";
    }
    EXPECT_TRUE(window.statusTexts.isEmpty());

    desktop.saveChoices = {older};
    MnuFile_ExportPdf(window, {}, window, desktop, clockOf(desktop));
    EXPECT_EQ(window.statusTexts, QStringList{"Kit sheet saved as PDF."});
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(oldFile.readAll().trimmed().endsWith("%%EOF"));
}

// Ctrl+P on the real main window commits the pending edit, lets its repaints run, then prints
// its board and kit header, from below the menu bar, on one landscape page across the printable width.
TEST(PrintingTheMainWindow, CtrlPEndsTheEditSettlesAndPrintsTheSheetAcrossThePrintableWidth)
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) {
        if (qEnvironmentVariableIsSet("CI")) FAIL() << "pdftoppm (poppler-utils) is missing";
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    QTemporaryDir folder;
    const QString pdf = folder.filePath("kit.pdf");
    ScriptedDesktop desktop;
    printToPdf(desktop, pdf);
    LoopbackMidiDevices midi;
    RecordingKitHistory history;
    UserSettings settings;
    MainWindow window(desktop, settings, midi, history);
    ASSERT_TRUE(window.openKit(makeKitDump({"PRINT ME    ", 7})));
    connectPrintCommands(*window.findChild<QAction*>("MnuFile_Print"), *window.findChild<QAction*>("MnuFile_ExportPdf"),
                         window, window, desktop, clockOf(desktop));
    window.start();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Pad_Clicked(0, false);
    QTest::keyClicks(&window, "45");
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);

    EXPECT_TRUE(window.findChild<QWidget*>("PadMNNSelImage_0")->isHidden()) << "the pad edit was not ended";
    EXPECT_GE(clockOf(desktop)(), SettleMilliseconds);
    EXPECT_GT(desktop.pendingEventRuns, 0);
    EXPECT_EQ(window.statusText(), "Kit sent successfully to printer.");
    const QImage page = rasterisedPage(pdf);
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()) << "landscape";
    const double margin = MarginMillimetres / 25.4 * RasterDpi;
    const QRect sheet = inkBounds(page);
    EXPECT_NEAR(sheet.left(), margin, 1.5);
    EXPECT_NEAR(sheet.width(), page.width() - 2 * margin, 2);
    EXPECT_NEAR(double(sheet.width()) / sheet.height(), 747.0 / 310.0, 0.02);

    // The dark face starts at the top: no light menu bar above it.
    const double scale = sheet.width() / 747.0;
    EXPECT_LT(meanBrightness(page, QRectF(QPointF(sheet.topLeft()) + QPointF(180 * scale, 0), QSizeF(300 * scale, 12 * scale)).toRect()), 90)
        << "the menu bar was captured";
}
