#include "PadEditing.h"

#include "KitEdits.h"
#include "platform/Desktop.h"
#include "platform/WindowShell.h"

namespace morvane {
namespace {

const QString PadsModified = QStringLiteral("Pad Settings Successfully Modified.");
const QString NothingSelected = QStringLiteral("No pad is currently selected for editing.");
const QString NothingFilled = QStringLiteral("Nothing was filled: no pad's note or channel is selected.");
const QString FillAllStep = QStringLiteral("Fill All");

const RangeRule& rangeOf(PadField field) { return field == PadField::Note ? NoteRule : ChannelRule; }

// The most characters a field's label takes by typing.
int lengthLimit(PadField field) { return field == PadField::Note ? 3 : 2; }

QString fieldName(PadField field) { return QString::fromUtf8(rangeOf(field).name); }

std::optional<int> digitOf(int keyCode)
{
    if (keyCode >= keys::DigitRow0 && keyCode <= keys::DigitRow0 + 9) return keyCode - keys::DigitRow0;
    if (keyCode >= keys::Keypad0 && keyCode <= keys::Keypad0 + 9) return keyCode - keys::Keypad0;
    return std::nullopt;
}

// A committed value as the Edit menu names it.
QString stepName(int pad, PadField field)
{
    return QStringLiteral("%1 of Pad %2").arg(field == PadField::Note ? "Note" : "Channel").arg(pad + 1);
}

bool isPadIndex(int index) { return index >= 0 && index < PadCount; }

bool isInside(const RangeRule& rule, int value) { return value >= rule.lowest && value <= rule.highest; }

}  // namespace

QString selectionPrompt(int pad, PadField field)
{
    return QStringLiteral("You have selected the %1 for pad %2. "
                          "Please type in the new %1 or press the Esc key to stop editing.")
        .arg(fieldName(field))
        .arg(pad + 1);
}

PadEditing::PadEditing(KitFields& fields, PadBoardView& view, WindowShell& shell, Desktop& desktop, KitEdits& edits)
    : fields_(fields), view_(view), shell_(shell), desktop_(desktop), edits_(edits)
{
}

std::optional<PadField> PadEditing::selectedField() const
{
    if (selectedPad_ == 0) return std::nullopt;
    return selectedField_;
}

QString PadEditing::typedText() const
{
    if (selectedPad_ == 0) return {};
    return view_.valueText(selectedPad_ - 1, selectedField_);
}

// An empty label commits as 0, so it is compared as 0.
bool PadEditing::hasPendingValue() const
{
    return selectedPad_ > 0 && typedText().toInt() != storedValue(selectedPad_ - 1, selectedField_);
}

void PadEditing::setTypedText(const QString& text) { view_.setValueText(selectedPad_ - 1, selectedField_, text); }

void PadEditing::Pad_Clicked(int index, bool tchClicked)
{
    if (index != -1 && !isPadIndex(index)) return;
    if (selectedPad_ > 0) {
        if (!Save_Selected_Pads()) return;
        const int pad = selectedPad_ - 1;
        view_.setLitVisible(pad, false);
        view_.setMarkerVisible(pad, selectedField_, false);
    }
    if (index == -1) {
        selectedPad_ = 0;
        typingStarted_ = false;
        shell_.Status_Update(NothingSelected);
        return;
    }
    select(index, tchClicked ? PadField::Channel : PadField::Note);
}

void PadEditing::select(int pad, PadField field)
{
    view_.setMarkerVisible(pad, field, true);
    shell_.Status_Update(selectionPrompt(pad, field));
    view_.setLitVisible(pad, true);
    typingStarted_ = false;
    selectedPad_ = static_cast<std::int16_t>(pad + 1);
    selectedField_ = field;
}

void PadEditing::Form_KeyDown(int keyCode)
{
    if (selectedPad_ == 0) return;
    if (const auto digit = digitOf(keyCode)) applyDigit(*digit);
    if (keyCode == keys::Delete) setTypedText({});
    if (keyCode == keys::Backspace && !typedText().isEmpty()) setTypedText(typedText().chopped(1));
    if (keyCode == keys::Enter || keyCode == keys::Escape) Pad_Clicked(-1);
}

void PadEditing::applyDigit(int digit)
{
    const QString typed = QString::number(digit);
    if (!typingStarted_) {
        setTypedText(typed);
        typingStarted_ = true;
    } else if (typedText().size() < lengthLimit(selectedField_)) {
        setTypedText(typedText() + typed);
    }
}

// At most one field is selected, so this commits that one field.
bool PadEditing::Save_Selected_Pads()
{
    if (typedText().isEmpty()) setTypedText(QStringLiteral("0"));
    // Only digits reach the label and at most three, so this always converts.
    const int typed = typedText().toInt();
    std::uint8_t& stored = storedValue(selectedPad_ - 1, selectedField_);
    if (typed == stored) return true;
    if (!admits(selectedField_, typed)) return false;
    setTypedText(QString::number(typed));
    const KitFields before = fields_;
    stored = static_cast<std::uint8_t>(typed);
    edits_.record(before, fields_, stepName(selectedPad_ - 1, selectedField_));
    shell_.Status_Update(PadsModified);
    return true;
}

// A refusal is told with the field's range; the typing then starts afresh.
bool PadEditing::admits(PadField field, int value)
{
    const RangeRule& rule = rangeOf(field);
    if (isInside(rule, value)) return true;
    desktop_.messageBox(QString::fromStdString(rangeMessage(rule)), MessageStyle::Plain,
                        QString::fromStdString(rangeTitle(rule)));
    typingStarted_ = false;
    return false;
}

// The shown value is checked as a commit checks it, an empty label as 0.
void PadEditing::fillAll()
{
    const auto field = selectedField();
    if (!field) {
        shell_.Status_Update(NothingFilled);
        return;
    }
    const int value = typedText().toInt();
    if (!admits(*field, value)) return;
    const KitFields before = fields_;
    for (int pad = 0; pad < PadCount; ++pad) storedValue(pad, *field) = static_cast<std::uint8_t>(value);
    edits_.record(before, fields_, FillAllStep);
    view_.Fill_Pad_MNN_And_TransmitCh();
    shell_.Status_Update(PadsModified);
}

std::uint8_t& PadEditing::storedValue(int pad, PadField field)
{
    return field == PadField::Note ? fields_.PadMNN[pad] : fields_.PadTCH[pad];
}

std::uint8_t PadEditing::storedValue(int pad, PadField field) const
{
    return field == PadField::Note ? fields_.PadMNN[pad] : fields_.PadTCH[pad];
}

}  // namespace morvane
