#pragma once

#include "KeyCodes.h"
#include "kit/KitDump.h"
#include "kit/KitRanges.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace morvane {

class Desktop;
class KitEdits;
class WindowShell;

enum class PadField { Note, Channel };

// The status line's prompt while pad index `pad`'s field is selected.
QString selectionPrompt(int pad, PadField field);

// What pad editing needs of the window's pad board: the selection markers,
// the lit pad pictures and the value labels. While a field
// is selected its label holds the text being typed, so the label is where
// that text lives.
class PadBoardView {
public:
    virtual ~PadBoardView() = default;
    virtual void setMarkerVisible(int pad, PadField field, bool visible) = 0;
    virtual void setLitVisible(int pad, bool visible) = 0;
    virtual QString valueText(int pad, PadField field) const = 0;
    virtual void setValueText(int pad, PadField field, const QString& text) = 0;
    // Every value label shows its stored value again.
    virtual void Fill_Pad_MNN_And_TransmitCh() = 0;
};

// The pad editing state machine: which pad field is selected, the text typed
// into it, and committing that text into the kit's pad arrays. The window
// shows what it reports through PadBoardView; each commit and fill is told
// to KitEdits as a step.
class PadEditing {
public:
    PadEditing(KitFields& fields, PadBoardView& view, WindowShell& shell, Desktop& desktop, KitEdits& edits);

    // Commits the field being edited, then selects pad `index` (0 to 23) or,
    // for -1, nothing. A refused commit keeps the selection and drops the rest.
    void Pad_Clicked(int index, bool tchClicked = false);

    // Applies one key, given as a Windows virtual key code, to the selected field.
    void Form_KeyDown(int keyCode);

    // Copies the selected field's shown value to that field of every pad,
    // when the field's range admits it.
    void fillAll();

    std::int16_t SelectedPad() const { return selectedPad_; }
    // The selected field shows a value other than the one the kit holds.
    bool hasPendingValue() const;
    // The field whose marker is visible; empty while nothing is selected.
    std::optional<PadField> selectedField() const;
    // The text shown in the selected field's label.
    QString typedText() const;

private:
    bool Save_Selected_Pads();
    void select(int pad, PadField field);
    void applyDigit(int digit);
    void setTypedText(const QString& text);
    bool admits(PadField field, int value);
    std::uint8_t& storedValue(int pad, PadField field);
    std::uint8_t storedValue(int pad, PadField field) const;

    KitFields& fields_;
    PadBoardView& view_;
    WindowShell& shell_;
    Desktop& desktop_;
    KitEdits& edits_;
    std::int16_t selectedPad_ = 0;
    bool typingStarted_ = false;
    PadField selectedField_ = PadField::Note;
};

}  // namespace morvane
