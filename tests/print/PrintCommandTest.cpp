// The print command driven headless with the scripted desktop, printing for
// real into a PDF file that poppler's pdftoppm turns back into pixels.
#include "PdfPrinting.h"
#include "SheetWindowStub.h"

#include "platform/Desktop.h"
#include "print/SettleWait.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QMetaObject>
#include <QTemporaryDir>

#include <csignal>
#include <tuple>

#include <sys/resource.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

class PrintCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        window.show();
    }

    QString pdfPath() const { return folder.filePath("sheet.pdf"); }

    QTemporaryDir folder;
    ScriptedDesktop desktop;
    SheetWindowStub window;
};

TEST_F(PrintCommand, EndsTheEditSettlesThenPrintsAndReportsSuccessEvenIfTheCommitIsRefused)
{
    printToPdf(desktop, pdfPath());
    int eventRunsAtEditEnd = -1;
    bool queuedWorkDone = false;
    bool capturedAfterQueuedWork = false;
    window.onEndPadEditing = [&] {
        eventRunsAtEditEnd = desktop.pendingEventRuns;
        desktop.messageBox("The value is out of range.", MessageStyle::Plain);
        // Stands for the repaint a hidden selection marker leaves pending.
        QMetaObject::invokeMethod(&window, [&] { queuedWorkDone = true; }, Qt::QueuedConnection);
    };
    window.onPaint = [&] { capturedAfterQueuedWork = queuedWorkDone; };

    MnuFile_Print(window, desktop, clockOf(desktop));

    EXPECT_EQ(window.editEnds, 1);
    EXPECT_EQ(eventRunsAtEditEnd, 0);
    EXPECT_TRUE(capturedAfterQueuedWork);
    const auto waited = clockOf(desktop)();
    EXPECT_GE(waited, SettleMilliseconds);
    EXPECT_LT(waited, 2 * SettleMilliseconds);
    EXPECT_EQ(desktop.messageTexts(), QStringList{"The value is out of range."});
    EXPECT_EQ(window.statusTexts, QStringList{"Kit sent successfully to printer."});
    EXPECT_GT(QFileInfo(pdfPath()).size(), 0);
}

TEST_F(PrintCommand, CancellingThePrinterDialogTouchesNothingAndAFailingPrinterIsReported)
{
    desktop.printerAccepted = false;
    MnuFile_Print(window, desktop, clockOf(desktop));
    EXPECT_EQ(desktop.printerDialogs, 1);
    EXPECT_EQ(window.editEnds, 0) << "a pending pad edit must stay pending";
    EXPECT_EQ(desktop.pendingEventRuns, 0);
    EXPECT_TRUE(desktop.messages.empty());

    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    // The last row stands for a disk that fills up: no file may grow past 1 KiB.
    const std::tuple<QString, QString, rlim_t> failures[] = {
        {folder.filePath("missing-folder/sheet.pdf"), "the printer could not start a document", unlimited.rlim_cur},
        {"/dev/full", "\"/dev/full\" is not a regular file", unlimited.rlim_cur},
        {pdfPath(), "the PDF file could not be written completely", 1024},
    };
    for (const auto& [target, reason, sizeLimit] : failures) {
        printToPdf(desktop, target);
        const rlimit limited{sizeLimit, unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        MnuFile_Print(window, desktop, clockOf(desktop));
        setrlimit(RLIMIT_FSIZE, &unlimited);
        ASSERT_FALSE(desktop.messages.empty());
        EXPECT_EQ(desktop.messages.back().text, "The kit sheet could not be printed: " + reason + ".");
        EXPECT_EQ(desktop.messages.back().style, MessageStyle::Plain);
        EXPECT_EQ(desktop.messages.back().title, ApplicationTitle);
        EXPECT_FALSE(QFileInfo(target).isFile()) << "no PDF, whole or partial, takes its place";
    }
    EXPECT_TRUE(window.statusTexts.isEmpty());
}

TEST_F(PrintCommand, PrintsOneLandscapePageWithTheSheetAcrossThePrintableWidth)
{
    if (!canRasterise()) {
        if (qEnvironmentVariableIsSet("CI")) FAIL() << "pdftoppm (poppler-utils) is missing";
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    printToPdf(desktop, pdfPath());
    MnuFile_Print(window, desktop, clockOf(desktop));

    const QImage page = rasterisedPage(pdfPath());
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()) << "landscape";

    const double margin = PdfMarginMillimetres / 25.4 * RasterDpi;
    const double printableWidth = page.width() - 2 * margin;
    const QRect ink = inkBounds(page);
    EXPECT_NEAR(ink.left(), margin, 1.5);
    EXPECT_NEAR(ink.top(), margin, 1.5);
    EXPECT_NEAR(ink.width(), printableWidth, 2);
    EXPECT_NEAR(double(ink.width()) / ink.height(), 747.0 / 310.0, 0.02);

    const QPoint inset(4, 4);
    EXPECT_GT(qRed(page.pixel(ink.topLeft() + inset)), 200) << "the sheet's top-left corner leads";
    EXPECT_GT(qBlue(page.pixel(ink.bottomRight() - inset)), 200) << "the sheet's bottom-right corner ends it";
}

}  // namespace
