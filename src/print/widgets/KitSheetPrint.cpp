#include "KitSheetPrint.h"

#include "base/Text.h"
#include "print/PageFit.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegion>
#include <QSaveFile>
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

// Qt's PDF engine ignores failed writes, so the page goes through a save file
// that tells them: a PDF is complete or not there at all, and an older file of
// that name stays as it was. A device or a pipe would be replaced by the save,
// so only a regular file (or a new name) is printed to.
Status printToPdfFile(const QPrinter& printer, const QPixmap& picture, const QRectF& drawn)
{
    const QString path = printer.outputFileName();
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return Status::failure(inQuotes(path.toStdString()) + " is not a regular file");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Status::failure("the printer could not start a document");
    QPdfWriter pdf(&file);
    pdf.setPageLayout(printer.pageLayout());
    pdf.setResolution(printer.resolution());
    pdf.setTitle(printer.docName());
    pdf.setCreator(printer.creator());
    if (const Status painted = drawPage(pdf, picture, drawn); !painted) return painted;
    // commit() misses a failure of the last buffered write and would put a
    // truncated file in place; flushing first tells, and nothing is committed.
    // A short write leaves no error text worth showing, so none is quoted.
    if (!file.flush() || !file.commit()) return Status::failure("the PDF file could not be written completely");
    return succeeded();
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
