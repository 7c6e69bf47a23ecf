// Capturing the kit sheet. The suite also runs with QT_SCALE_FACTOR=2, where
// the capture must keep the doubled device pixels.
#include "SheetWindowStub.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace morvane;
using morvane::testing::SheetWindowStub;

namespace {

QColor colourAt(const QImage& image, QPoint logical, qreal ratio)
{
    return image.pixelColor((QPointF(logical) * ratio).toPoint());
}

}  // namespace

TEST(KitSheetCapture, TakesTheSheetFromTheClientOriginAtFullDeviceResolution)
{
    SheetWindowStub window;
    window.show();
    const qreal ratio = window.devicePixelRatioF();
    EXPECT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());

    const QPixmap sheet = Capture_Kit_Sheet(window, window.sheetOrigin());

    EXPECT_EQ(sheet.deviceIndependentSize().toSize(), KitSheetSize);
    EXPECT_EQ(sheet.size(), KitSheetSize * ratio);
    const QImage image = sheet.toImage();
    EXPECT_EQ(colourAt(image, {1, 1}, ratio), QColor(Qt::red));
    EXPECT_EQ(colourAt(image, {KitSheetSize.width() - 2, KitSheetSize.height() - 2}, ratio), QColor(Qt::blue));
    EXPECT_EQ(colourAt(image, {KitSheetSize.width() / 2, KitSheetSize.height() / 2}, ratio), SheetWindowStub::Sheet);

    // A part beyond the window comes out transparent.
    const QImage beyond = Capture_Window_Region(window, QRect(QPoint(), window.size() + QSize(50, 50))).toImage();
    EXPECT_EQ(colourAt(beyond, {window.width() + 25, window.height() + 25}, ratio).alpha(), 0);
    EXPECT_EQ(colourAt(beyond, {2, 2}, ratio), SheetWindowStub::Outside);
}
