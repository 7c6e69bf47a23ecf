#include "print/KitSheetPrint.h"

#include "print/PageFit.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QRegion>
#include <QWidget>

namespace morvane {
namespace {

QPageLayout::Orientation pageOrientation(PageOrientation orientation)
{
    return orientation == PageOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
}

Extent logicalExtent(const QPixmap& picture)
{
    const QSizeF size = picture.deviceIndependentSize();
    return {size.width(), size.height()};
}

// In device pixels, the unit a painter on the printer draws in; its origin
// is the printable area's top-left corner.
Extent printableExtent(const QPrinter& printer)
{
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    return {static_cast<double>(area.width()), static_cast<double>(area.height())};
}

}  // namespace

QPixmap Capture_Window_Region(QWidget& window, const QRect& region)
{
    const qreal ratio = window.devicePixelRatioF();
    QPixmap picture(region.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    // Rendering is not clipped to the window by itself; what lies beyond it stays
    // transparent and so prints as bare paper.
    const QRect inside = region & window.rect();
    if (!inside.isEmpty()) window.render(&picture, inside.topLeft() - region.topLeft(), QRegion(inside));
    return picture;
}

QPixmap Capture_Kit_Sheet(QWidget& window, QPoint clientOrigin)
{
    return Capture_Window_Region(window, QRect(clientOrigin, KitSheetSize));
}

Status Print_Scaled_To_Page(QPrinter& printer, const QPixmap& picture)
{
    const Extent pictureExtent = logicalExtent(picture);
    // Set before measuring, so the printable area is that of the turned page.
    printer.setPageOrientation(pageOrientation(orientationFor(pictureExtent)));
    const auto drawn = fitToPage(pictureExtent, printableExtent(printer));
    if (!drawn) return Status::failure(drawn.error());

    QPainter painter;
    if (!painter.begin(&printer)) return Status::failure("the printer could not start a document");
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(0, 0, drawn.value().width, drawn.value().height), picture,
                       QRectF(picture.rect()));
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return Status::failure("the printer could not finish the page");
    return succeeded();
}

}  // namespace morvane
