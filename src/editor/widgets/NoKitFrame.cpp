#include "NoKitFrame.h"

#include "editor/EditorTexts.h"
#include "MouseHooks.h"
#include "WidgetPlacement.h"
#include "platform/widgets/WidgetStyle.h"

#include <QApplication>
#include <QLabel>

namespace morvane {
namespace {

constexpr double HeadingPoints = 12;
constexpr double HelpPoints = 9.75;

QLabel* makeText(QWidget* frame, const Compensation& c, const QString& name, const QString& text,
                 const TwipRect& place, double points, bool bold)
{
    auto* label = new QLabel(text, frame);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setFont(designFont(c.fontPoints(points), bold));
    label->setGeometry(c.placed(place.left), c.placed(place.top), c.placed(place.width), c.placed(place.height));
    return label;
}

}  // namespace

// The desktop's own panel colours, not the dark face's it would inherit.
void NoKitFrame::usePlainPanelColours()
{
    const QPalette desktop = QApplication::palette();
    QPalette own = palette();
    own.setColor(QPalette::Window, desktop.color(QPalette::Window));
    own.setColor(QPalette::WindowText, desktop.color(QPalette::WindowText));
    setPalette(own);
    setAutoFillBackground(true);
}

NoKitFrame::NoKitFrame(QWidget* face, const Compensation& c) : QFrame(face)
{
    setObjectName(QStringLiteral("No_Kit_Loaded_Frame"));
    setFrameShape(QFrame::Box);
    usePlainPanelColours();
    ignoreMouse(this);

    auto* heading = makeText(this, c, QStringLiteral("No_Kit_Loaded_Label"), texts::noKitHeading(),
                             design::No_Kit_Loaded_Label, HeadingPoints, true);
    heading->setAlignment(Qt::AlignCenter);
    makeHorizontalLine(this, c, design::Line2, palette().color(QPalette::WindowText))
        ->setObjectName(QStringLiteral("Line2"));
    makeText(this, c, QStringLiteral("Label1"), texts::noKitReceiveHelp(), design::Label1, HelpPoints, false);
    makeText(this, c, QStringLiteral("No_Kit_Loaded_To_Open_A_Kit_Label"), texts::noKitOpenHelp(),
             design::No_Kit_Loaded_To_Open_A_Kit_Label, HelpPoints, false);
    hide();
}

void NoKitFrame::Display_No_Kit_Loaded_Frame(bool visible)
{
    if (!visible) {
        hide();
        return;
    }
    // The face ends at the status bar and the window's right edge, so the
    // frame takes exactly its size: a frame of the design's size would leave
    // a strip of face below it and its right border outside the window.
    setGeometry(parentWidget()->rect());
    show();
    raise();
}

}  // namespace morvane
