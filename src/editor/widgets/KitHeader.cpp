#include "KitHeader.h"

#include "MouseHooks.h"
#include "WidgetPlacement.h"
#include "platform/widgets/WidgetStyle.h"

#include <QLabel>

namespace morvane {
namespace {

constexpr double TitlePoints = 21.75;
constexpr double NumberPoints = 9.75;
const QColor TitleColor(255, 255, 255);
const QColor NumberColor(224, 224, 224);
const QColor UnderlineDark(0, 0, 0);
const QColor UnderlineLit(255, 255, 255);

}  // namespace

KitHeader::KitHeader(QWidget* face, const Compensation& compensation) : QObject(face), compensation_(compensation)
{
    line1_ = makeHorizontalLine(face, compensation, design::Line1, UnderlineDark);
    line1_->setObjectName(QStringLiteral("Line1"));
    ignoreMouse(line1_);

    title_ = makeLabel(face, QStringLiteral("Print_KitTitleLabel"), design::Print_KitTitleLabel,
                       QStringLiteral("Click here to change the kit title"));
    title_->setFont(designFont(TitlePoints, true));
    setTextColor(title_, TitleColor);
    handleMouse(title_, [this] { setLineColor(line1_, UnderlineLit); }, [this] { emit kitSettingsRequested(); });

    kitNumber_ = makeLabel(face, QStringLiteral("Print_KitNumberLabel"), design::Print_KitNumberLabel,
                           QStringLiteral("Click here to change the kit number"));
    bankNumber_ = makeLabel(face, QStringLiteral("Print_BankNumberLabel"), design::Print_BankNumberLabel,
                            QStringLiteral("Click here to change the kit's bank number"));
    for (auto* label : {kitNumber_, bankNumber_}) {
        label->setFont(designFont(NumberPoints, true));
        setTextColor(label, NumberColor);
        handleMouse(label, {}, [this] { emit kitSettingsRequested(); });
    }
}

QLabel* KitHeader::makeLabel(QWidget* face, const QString& name, const TwipRect& place, const QString& tooltip)
{
    auto* label = new QLabel(face);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    placeControl(label, compensation_, place);
    label->setToolTip(tooltip);
    return label;
}

void KitHeader::Fill_Print_Header(const QString& kitName, int kitNumber, int bankNumber)
{
    title_->clear();
    kitNumber_->setText(QStringLiteral("Kit #: ") + QString::number(kitNumber));
    bankNumber_->setText(QStringLiteral("Bank #: ") + QString::number(bankNumber));
    Output_Print_Header(kitName, title_);
    // Twelve wide letters run past the window's edge at the design size.
    title_->setFont(fittedFont(designFont(TitlePoints, true), {kitName}, title_->contentsRect().width()));
}

// A Qt label without a buddy shows every "&" as it is, so the name is
// appended unchanged; doubling it would show two.
void KitHeader::Output_Print_Header(const QString& inputString, QLabel* outputLabel)
{
    outputLabel->setText(outputLabel->text() + inputString);
}

void KitHeader::Display_Print_Header(bool visible)
{
    title_->setVisible(visible);
    kitNumber_->setVisible(visible);
    bankNumber_->setVisible(visible);
}

void KitHeader::darkenUnderline() { setLineColor(line1_, UnderlineDark); }

}  // namespace morvane
