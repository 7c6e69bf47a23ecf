// Ctrl+P on the real main window prints its kit sheet: the board and the kit
// header, from below the menu bar.
#include "PdfPrinting.h"

#include "editor/MainWindow.h"
#include "print/PrintCommand.h"
#include "support/KitFiles.h"
#include "support/LoopbackMidiDevices.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

namespace {

KitDump kitToPrint()
{
    KitSpec spec;
    spec.name = "PRINT ME    ";
    spec.kitNumber = 7;
    return makeKitDump(spec);
}

double meanBrightness(const QImage& page, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) sum += qGray(page.pixel(x, y));
    return sum / (area.width() * area.height());
}

TEST(PrintingTheMainWindow, CtrlPPrintsTheBoardAndHeaderFromBelowTheMenuBar)
{
    if (!canRasterise()) {
        if (qEnvironmentVariableIsSet("CI")) FAIL() << "pdftoppm (poppler-utils) is missing";
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    QTemporaryDir folder;
    const QString pdf = folder.filePath("kit.pdf");
    ScriptedDesktop desktop;
    printToPdf(desktop, pdf);
    LoopbackMidiDevices midi;
    MainWindow window(desktop, midi);
    ASSERT_TRUE(window.Interpret_Buffer(kitToPrint()));
    connectPrintCommand(window, desktop,
                        {[&window] { window.Pad_Clicked(-1, false); },
                         [&window](const QString& text) { window.Status_Update(text); }},
                        clockOf(desktop));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Pad_Clicked(0, false);
    auto* marker = window.findChild<QWidget*>("PadMNNSelImage_0");
    ASSERT_NE(marker, nullptr);
    ASSERT_TRUE(marker->isVisible());

    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);

    EXPECT_FALSE(marker->isVisible()) << "the pending pad edit was not ended before the capture";
    EXPECT_EQ(window.statusText(), "Kit sent successfully to printer.");
    const QImage page = rasterisedPage(pdf);
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    const QRect sheet = inkBounds(page);
    EXPECT_NEAR(double(sheet.width()) / sheet.height(), 747.0 / 310.0, 0.02);

    // In sheet pixels: the dark face starts at the top (no light menu bar
    // above it) and the white kit title stands out at the top right.
    const double scale = sheet.width() / 747.0;
    const auto onPage = [&](QRect logical) {
        return QRect((QPointF(logical.topLeft()) * scale).toPoint() + sheet.topLeft(),
                     (QSizeF(logical.size()) * scale).toSize());
    };
    EXPECT_LT(meanBrightness(page, onPage({180, 0, 300, 12})), 90) << "the menu bar was captured";
    const QRect title = onPage({496, 8, 150, 41});
    EXPECT_GT(meanBrightness(page, title), meanBrightness(page, onPage({496, 60, 150, 20})) + 20)
        << "no kit title on the sheet";
}

}  // namespace
