#include "WidgetPlacement.h"

#include "platform/widgets/WidgetStyle.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace morvane {

void placeControl(QWidget* control, const Compensation& c, double left, double top, int width, int height)
{
    control->setGeometry(c.toPixels(left), c.toPixels(top), c.toPixels(width), c.toPixels(height));
}

void placeControl(QWidget* control, const Compensation& c, const TwipRect& design)
{
    placeControl(control, c, c.compensate(design.left), c.compensate(design.top), design.width, design.height);
}

QRect fixedPixels(const TwipRect& design)
{
    return {design.left / TwipsPerPixelAt96, design.top / TwipsPerPixelAt96, design.width / TwipsPerPixelAt96,
            design.height / TwipsPerPixelAt96};
}

QFont fittedFont(QFont font, const QStringList& texts, int width)
{
    constexpr double StepPoints = 0.25;
    constexpr double SmallestPoints = 6;
    const auto widest = [&texts](const QFont& f) {
        const QFontMetrics metrics(f);
        int w = 0;
        for (const QString& text : texts) w = std::max(w, metrics.horizontalAdvance(text));
        return w;
    };
    while (widest(font) > width && font.pointSizeF() > SmallestPoints)
        font.setPointSizeF(font.pointSizeF() - StepPoints);
    return font;
}

QWidget* makeHorizontalLine(QWidget* parent, const Compensation& c, const TwipLine& line, const QColor& color)
{
    auto* widget = new QWidget(parent);
    const int x1 = c.placed(line.x1);
    const int x2 = c.placed(line.x2);
    widget->setGeometry(x1, c.placed(line.y1), x2 - x1 + 1, 1);
    widget->setAutoFillBackground(true);
    setLineColor(widget, color);
    return widget;
}

}  // namespace morvane
