#include "PdfPrinting.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include <numeric>

namespace morvane::testing {

MillisecondClock clockOf(const ScriptedDesktop& desktop)
{
    return [&desktop] { return std::accumulate(desktop.sleeps.begin(), desktop.sleeps.end(), std::int64_t{0}); };
}

void printToPdf(ScriptedDesktop& desktop, const QString& path)
{
    desktop.printerAccepted = true;
    desktop.configurePrinter = [path](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const double m = PdfMarginMillimetres;
        printer.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Millimeter);
    };
}

bool canRasterise() { return !QStandardPaths::findExecutable("pdftoppm").isEmpty(); }

QImage rasterisedPage(const QString& pdf)
{
    const QString pngBase = pdf + "-page";
    const int exitCode = QProcess::execute(QStandardPaths::findExecutable("pdftoppm"),
                                           {"-r", QString::number(RasterDpi), "-png", "-singlefile", pdf, pngBase});
    return exitCode == 0 ? QImage(pngBase + ".png") : QImage();
}

QRect inkBounds(const QImage& page)
{
    QRect bounds;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 240) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

}  // namespace morvane::testing
