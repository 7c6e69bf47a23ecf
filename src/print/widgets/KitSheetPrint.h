#pragma once

#include "base/Result.h"

#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPrinter;
class QWidget;

namespace morvane {

// The kit sheet: the pad board and the kit header, in logical pixels from the
// top-left of the window's client area below the menu bar.
inline constexpr QSize KitSheetSize(747, 310);

// The window's region (window coordinates, logical pixels) as the window
// draws it, at the window's full device pixel ratio so a print stays sharp.
// Parts of the region outside the window come out transparent.
QPixmap Capture_Window_Region(QWidget& window, const QRect& region);

// The kit sheet of a window whose client area below the menu bar starts at
// `clientOrigin` (window coordinates).
QPixmap Capture_Kit_Sheet(QWidget& window, QPoint clientOrigin);

// Prints the picture as one page: landscape when it is wider than high,
// scaled with its proportions kept to fill the printable width (or height)
// from the printable area's top-left corner, then ends the document. A PDF
// file is written whole or not at all.
Status Print_Scaled_To_Page(QPrinter& printer, const QPixmap& picture);

}  // namespace morvane
