#include "PadBoard.h"

#include "editor/EditorTexts.h"
#include "MouseHooks.h"
#include "SvgPicture.h"
#include "WidgetPlacement.h"
#include "platform/widgets/WidgetStyle.h"

#include <QAction>
#include <QLabel>

namespace morvane {
namespace {

constexpr double NoteLabelPoints = 13.5;
constexpr double ChannelLabelPoints = 9.75;
constexpr double LEDLabelPoints = 8.25;
const QColor NoteColor(255, 255, 255);
const QColor ChannelColor(255, 255, 0);
const QColor LEDColor(24, 32, 16);  // dark segments on the face's green display
constexpr int HitMilliseconds = 300;

QString elementName(const QString& arrayName, int i) { return arrayName + QLatin1Char('_') + QString::number(i); }

QString litPicturePath(int i) { return QStringLiteral(":/pictures/pad-lit-%1.svg").arg(i + 1, 2, 10, QLatin1Char('0')); }

}  // namespace

PadBoard::PadBoard(QWidget* face, Pictures& pictures, const Compensation& compensation, const KitFields& fields)
    : QObject(face), compensation_(compensation), fields_(fields)
{
    for (int i = 0; i < PadCount; ++i) {
        playActions_[i] = new QAction(QStringLiteral("Play Pad"), this);
        connect(playActions_[i], &QAction::triggered, this, [this, i] { emit padPlayRequested(i); });
    }
    hitTimer_.setSingleShot(true);
    hitTimer_.setInterval(HitMilliseconds);
    connect(&hitTimer_, &QTimer::timeout, this, &PadBoard::endHit);
    createLEDLabel(face);
    createLitImages(face, pictures);
    createPadImages(face);
    createValueControls(face, pictures);
}

void PadBoard::createLEDLabel(QWidget* face)
{
    ledLabel_ = new QLabel(face);
    ledLabel_->setObjectName(QStringLiteral("LEDLabel"));
    placeControl(ledLabel_, compensation_, design::LEDLabel);
    ledLabel_->setFont(fittedFont(designFont(compensation_.fontPoints(LEDLabelPoints), false),
                                  {texts::ledText(PadCount - 1)}, ledLabel_->width()));
    ledLabel_->setAlignment(Qt::AlignCenter);
    setTextColor(ledLabel_, LEDColor);
    ignoreMouse(ledLabel_);
}

// Created before the pad areas so that an area always lies above every lit
// picture and keeps receiving the mouse while its pad is lit.
void PadBoard::createLitImages(QWidget* face, Pictures& pictures)
{
    for (int i = 0; i < PadCount; ++i) {
        const auto& lit = padDesigns()[i].lit;
        const auto place = placePad(padDesigns()[i], compensation_);
        auto* image = new SvgPicture(pictures.picture(litPicturePath(i)), face);
        image->setObjectName(elementName(QStringLiteral("PadLitImage"), i));
        image->setGeometry(QRect(QPoint(compensation_.toPixels(place.litLeft), compensation_.toPixels(place.litTop)),
                                 fixedPixels(lit).size()));
        image->hide();
        ignoreMouse(image);
        litImages_[i] = image;
    }
}

void PadBoard::createPadImages(QWidget* face)
{
    for (int i = 0; i < PadCount; ++i) {
        const auto& area = padDesigns()[i].image;
        const auto place = placePad(padDesigns()[i], compensation_);
        auto* image = new QWidget(face);
        image->setObjectName(elementName(QStringLiteral("PadImage"), i));
        placeControl(image, compensation_, place.imageLeft, place.imageTop, area.width, area.height);
        image->setToolTip(texts::noteTooltip(i));
        handlePadMouse(image, i, false, true);
    }
}

// Every control of a pad: a click selects its value, Ctrl+click or the
// context menu plays it.
void PadBoard::handlePadMouse(QWidget* control, int i, bool tchClicked, bool hovers)
{
    handleMouse(
        control, hovers ? std::function<void()>([this, i] { Pad_Hovered(i); }) : std::function<void()>(),
        [this, i, tchClicked] { emit padClicked(i, tchClicked); }, [this, i] { emit padPlayRequested(i); });
    control->addAction(playActions_[i]);
    control->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QLabel* PadBoard::makeValueLabel(QWidget* face, const QString& arrayName, int i, const QColor& color, double points)
{
    auto* label = new QLabel(face);
    label->setObjectName(elementName(arrayName, i));
    label->setFont(designFont(points, true));
    setTextColor(label, color);
    return label;
}

SvgPicture* PadBoard::makeMarker(QWidget* face, const std::shared_ptr<Picture>& picture, const QString& arrayName, int i,
                                 QPoint topLeft, QSize size, bool tchClicked)
{
    auto* marker = new SvgPicture(picture, face);
    marker->setObjectName(elementName(arrayName, i));
    marker->setGeometry(QRect(topLeft, size));
    marker->hide();
    handlePadMouse(marker, i, tchClicked, false);
    return marker;
}

// The labels and then the markers of each pad are created last, pad by pad,
// so they lie above every other control of the board.
void PadBoard::createValueControls(QWidget* face, Pictures& pictures)
{
    const auto noteMarkerPicture = pictures.picture(QStringLiteral(":/pictures/marker-note.svg"));
    const auto channelMarkerPicture = pictures.picture(QStringLiteral(":/pictures/marker-channel.svg"));
    const auto& c = compensation_;
    const QSize noteMarkerSize = fixedPixels({0, 0, design::NoteMarkerWidth, design::MarkerHeight}).size();
    const QSize channelMarkerSize = fixedPixels({0, 0, design::ChannelMarkerWidth, design::MarkerHeight}).size();
    for (int i = 0; i < PadCount; ++i) {
        const auto place = placePad(padDesigns()[i], c);

        auto* note = makeValueLabel(face, QStringLiteral("PadMNNLabel"), i, NoteColor, NoteLabelPoints);
        placeControl(note, c, place.noteLeft, place.noteTop, design::ValueLabelWidth, design::ValueLabelHeight);
        note->setToolTip(texts::noteTooltip(i));
        handlePadMouse(note, i, false, true);

        auto* channel = makeValueLabel(face, QStringLiteral("PadTCHLabel"), i, ChannelColor, ChannelLabelPoints);
        placeControl(channel, c, place.channelLeft, place.channelTop, design::ValueLabelWidth,
                     design::ValueLabelHeight);
        channel->setToolTip(texts::channelTooltip(i));
        handlePadMouse(channel, i, true, true);

        noteMarkers_[i] = makeMarker(face, noteMarkerPicture, QStringLiteral("PadMNNSelImage"), i,
                                     {note->x(), c.toPixels(place.noteMarkerTop)}, noteMarkerSize, false);
        channelMarkers_[i] = makeMarker(face, channelMarkerPicture, QStringLiteral("PadTCHSelImage"), i,
                                        {channel->x(), c.toPixels(place.channelMarkerTop)}, channelMarkerSize, true);
        noteLabels_[i] = note;
        channelLabels_[i] = channel;
    }
}

void PadBoard::Fill_Pad_MNN_And_TransmitCh()
{
    for (int i = 0; i < PadCount; ++i) {
        noteLabels_[i]->setText(QString::number(fields_.PadMNN[i]));
        channelLabels_[i]->setText(QString::number(fields_.PadTCH[i]));
    }
}

QLabel* PadBoard::valueLabel(int pad, PadField field) const
{
    return field == PadField::Note ? noteLabels_[pad] : channelLabels_[pad];
}

void PadBoard::setMarkerVisible(int pad, PadField field, bool visible)
{
    (field == PadField::Note ? noteMarkers_ : channelMarkers_)[pad]->setVisible(visible);
}

void PadBoard::setLitVisible(int pad, bool visible) { litImages_[pad]->setVisible(visible); }

QString PadBoard::valueText(int pad, PadField field) const { return valueLabel(pad, field)->text(); }

void PadBoard::setValueText(int pad, PadField field, const QString& text) { valueLabel(pad, field)->setText(text); }

void PadBoard::Pad_Hovered(int index)
{
    ledLabel_->setText(texts::ledText(index));
    if (selectedPad_ != 0) return;
    for (int i = 0; i < PadCount; ++i) litImages_[i]->setVisible(i == index);
}

void PadBoard::clearHover()
{
    for (int i = 0; i < PadCount; ++i)
        if (i + 1 != selectedPad_) litImages_[i]->hide();
    ledLabel_->clear();
}

void PadBoard::showHit(const std::vector<int>& pads)
{
    if (pads.empty()) return;
    endHit();
    for (int pad : pads) {
        if (!litImages_[pad]->isHidden()) continue;
        litImages_[pad]->show();
        hitLit_.push_back(pad);
    }
    ledTextBeforeHit_ = ledLabel_->text();
    hitText_ = texts::ledText(pads.front());
    ledLabel_->setText(hitText_);
    hitTimer_.start();
}

// A pad selected meanwhile stays lit, and a pad hovered meanwhile keeps the display.
void PadBoard::endHit()
{
    for (int pad : hitLit_)
        if (pad + 1 != selectedPad_) litImages_[pad]->hide();
    hitLit_.clear();
    if (!hitText_.isEmpty() && ledLabel_->text() == hitText_) ledLabel_->setText(ledTextBeforeHit_);
    hitText_.clear();
}

}  // namespace morvane
