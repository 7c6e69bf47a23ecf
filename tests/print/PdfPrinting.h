#pragma once

#include "print/SettleWait.h"
#include "support/ScriptedDesktop.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace morvane::testing {

inline constexpr double PdfMarginMillimetres = 10;
inline constexpr int RasterDpi = 100;

// Time passes only while the command sleeps, so its settle costs no time here.
MillisecondClock clockOf(const ScriptedDesktop& desktop);

// The printer dialog is accepted with an A4 PDF file as the printer.
void printToPdf(ScriptedDesktop& desktop, const QString& path);

// The PDF's first page as pixels at RasterDpi, through poppler's pdftoppm; a
// null image when pdftoppm is missing or fails.
QImage rasterisedPage(const QString& pdf);

bool canRasterise();

// The box around everything that is not paper white.
QRect inkBounds(const QImage& page);

}  // namespace morvane::testing
