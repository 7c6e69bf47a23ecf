#pragma once

#include "editor/Compensation.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStringList>

class QWidget;
class QLabel;

namespace morvane {

// Puts a control at compensated twips, sized by design twips as they come
// out at the screen's resolution.
void placeControl(QWidget* control, const Compensation& c, double left, double top, int width, int height);
// The same for a control whose design place is compensated and whose size is not.
void placeControl(QWidget* control, const Compensation& c, const TwipRect& design);
// A part of a fixed pixel size (a picture, the kit settings dialog) at its
// design twips, 15 to a logical pixel, whatever the screen.
QRect fixedPixels(const TwipRect& design);

// The font, a quarter point smaller at a time, until every text fits the
// width: the stand-in fonts run wider than the ones the design measured.
QFont fittedFont(QFont font, const QStringList& texts, int width);

// A one-pixel line of the given colour from (x1, y1) to (x2, y1), in
// compensated twips; only horizontal lines are used.
QWidget* makeHorizontalLine(QWidget* parent, const Compensation& c, const TwipLine& line, const QColor& color);

}  // namespace morvane
