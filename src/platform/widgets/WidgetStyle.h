#pragma once

#include <QColor>
#include <QFont>

class QPushButton;
class QString;
class QWidget;

namespace morvane {

// Liberation Sans (or DejaVu Sans) stands in for both design fonts, the
// dialog sans serif and Arial, at their point sizes.
QFont designFont(double points, bool bold);

void setTextColor(QWidget* control, const QColor& color);
// A line is a filled control: its colour is its background.
void setLineColor(QWidget* line, const QColor& color);

// A push button that tests find by its objectName.
QPushButton* namedButton(const QString& objectName, const QString& text);

}  // namespace morvane
