#include "WidgetStyle.h"

#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace morvane {
namespace {

void setPaletteColor(QWidget* control, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = control->palette();
    palette.setColor(role, color);
    control->setPalette(palette);
}

}  // namespace

QFont designFont(double points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget* control, const QColor& color) { setPaletteColor(control, QPalette::WindowText, color); }

void setLineColor(QWidget* line, const QColor& color) { setPaletteColor(line, QPalette::Window, color); }

QPushButton* namedButton(const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    return button;
}

}  // namespace morvane
