#include "KitSheetPrint.h"

#include "kit/KitFile.h"
#include "platform/FilePath.h"
#include "print/PageFit.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
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

Status drawPage(QPaintDevice& device, const QPixmap& picture, const QRectF& drawn)
{
    QPainter painter;
    if (!painter.begin(&device)) return Status::failure("the printer could not start a document");
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(drawn, picture, QRectF(picture.rect()));
    if (!painter.end()) return Status::failure("the printer could not finish the page");
    return succeeded();
}

Status printOnPrinter(QPrinter& printer, const QPixmap& picture, const QRectF& drawn)
{
    const Status printed = drawPage(printer, picture, drawn);
    if (printed && printer.printerState() == QPrinter::Error)
        return Status::failure("the printer could not finish the page");
    return printed;
}

// Qt's PDF engine ignores failed writes, so the page is made in memory and
// then saved as a kit file is: every byte written and counted, synced, and
// renamed into place, so a PDF is complete or not there at all and an older
// file of that name stays as it was. A device or a pipe is refused unopened.
Status printToPdfFile(const QPrinter& printer, const QPixmap& picture, const QRectF& drawn)
{
    QByteArray document;
    QBuffer memory(&document);
    memory.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&memory);
    pdf.setPageLayout(printer.pageLayout());
    pdf.setResolution(printer.resolution());
    pdf.setTitle(printer.docName());
    pdf.setCreator(printer.creator());
    if (const Status painted = drawPage(pdf, picture, drawn); !painted) return painted;
    const auto* begin = reinterpret_cast<const std::uint8_t*>(document.constData());
    return saveWholeFile(toFilePath(printer.outputFileName()), {begin, begin + document.size()});
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

    const QRectF place(0, 0, drawn.value().width, drawn.value().height);
    return printer.outputFormat() == QPrinter::PdfFormat ? printToPdfFile(printer, picture, place)
                                                         : printOnPrinter(printer, picture, place);
}

}  // namespace morvane
