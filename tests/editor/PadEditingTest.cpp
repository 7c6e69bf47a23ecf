#include "editor/KitEdits.h"
#include "editor/PadEditing.h"
#include "kit/KitCodec.h"
#include "platform/WindowShell.h"
#include "support/KitFiles.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

#include <QHash>

#include <array>
#include <tuple>

using namespace morvane;
using namespace morvane::testing;

namespace {

// Messages and statuses in a script's row go by short codes: "N" and "C" the
// note and channel range refusals; "n3" / "c3" the prompt for pad 3's note /
// channel, "M" modified, "-" none selected, "0" nothing filled.
QStringList expand(const char* codes)
{
    QStringList texts;
    for (const QString& code : QString::fromLatin1(codes).split(' ', Qt::SkipEmptyParts)) {
        const QString field = code[0] == 'n' ? "Midi Note Number" : "Transmit Channel";
        texts << (code == "N"   ? "Midi Note Number cannot be higher than 128 or lower than 0."
                  : code == "C" ? "Transmit Channel cannot be higher than 16 or lower than 1."
                  : code == "0" ? "Nothing was filled: no pad's note or channel is selected."
                  : code == "M" ? "Pad Settings Successfully Modified."
                  : code == "-" ? "No pad is currently selected for editing."
                                : QStringLiteral("You have selected the %1 for pad %2. Please type in the new %1 or "
                                                 "press the Esc key to stop editing.")
                                      .arg(field, code.mid(1)));
    }
    return texts;
}

// A script is what the user does, separated by blanks: "n3" / "c3" clicks
// pad 3's note / channel, "bg" the background, "Fill" the menu item, a number
// types its digits on the digit row and "k5" on the keypad; "Ret", "Esc",
// "Del" and "BS" are keys.
// Cells are "n3=45" (pad 3's note), "c*=7" (every pad's channel), blank separated.
struct Script {
    const char* keys;
    const char* stored;  // the values that changed; every other keeps 36 + pad index and channel 10
    const char* labels;  // the labels that show other than their stored value
    const char* messages;
    const char* statuses;
    int selectedPad;  // 1 to 24, 0 for none
};

using Grid = std::array<std::array<QString, 2>, PadCount>;

Grid grid(const char* cells, Grid g)
{
    for (const QString& cell : QString::fromLatin1(cells).split(' ', Qt::SkipEmptyParts)) {
        const QString where = cell.mid(1).section('=', 0, 0);
        for (int pad = 0; pad < PadCount; ++pad)
            if (where == "*" || where.toInt() == pad + 1) g[pad][cell[0] == 'n' ? 0 : 1] = cell.section('=', 1);
    }
    return g;
}

// Pad editing over a board, kept as labels, showing notes 36 + pad index on channel 10.
struct Session final : PadBoardView, WindowShell, KitEdits {
    Session() { Fill_Pad_MNN_And_TransmitCh(); }

    void run(const char* script)
    {
        static const QHash<QString, int> named{
            {"Ret", keys::Enter}, {"Esc", keys::Escape}, {"Del", keys::Delete}, {"BS", keys::Backspace}};
        for (const QString& step : QString::fromLatin1(script).split(' ', Qt::SkipEmptyParts)) {
            if (step == "bg") editing.Pad_Clicked(-1);
            else if (step == "Fill") editing.fillAll();
            else if (named.contains(step)) editing.Form_KeyDown(named[step]);
            else if (step[0] == 'n' || step[0] == 'c') editing.Pad_Clicked(step.mid(1).toInt() - 1, step[0] == 'c');
            else if (step[0] == 'k') editing.Form_KeyDown(keys::Keypad0 + step.mid(1).toInt());
            else for (const QChar digit : step) editing.Form_KeyDown(keys::DigitRow0 + digit.digitValue());
        }
    }

    static std::size_t slot(PadField f) { return f == PadField::Note ? 0 : 1; }
    void setMarkerVisible(int, PadField, bool) override {}
    void setLitVisible(int, bool) override {}
    QString valueText(int pad, PadField field) const override { return labels[pad][slot(field)]; }
    void setValueText(int pad, PadField field, const QString& text) override { labels[pad][slot(field)] = text; }
    void Fill_Pad_MNN_And_TransmitCh() override
    {
        for (int pad = 0; pad < PadCount; ++pad)
            labels[pad] = {QString::number(fields.PadMNN[pad]), QString::number(fields.PadTCH[pad])};
    }
    void Status_Update(const QString& text) override { statuses << text; }
    void commitPendingPadEdit() override {}
    void kitReplaced() override {}
    void stepTaken(const KitFields&, const KitFields&, const QString&) override {}

    KitFields fields = decodeKit(makeKitDump()).value();
    Grid labels;
    QStringList statuses;
    ScriptedDesktop desktop;
    PadEditing editing{fields, *this, *this, desktop, *this};
};

TEST(PadEditing, KeystrokeScriptsGiveTheirValuesLabelsMessagesAndStatuses)
{
    const Script scripts[] = {
        // Selecting, and moving the selection with a click that commits.
        {"n3", "", "", "", "n3", 3},
        {"c24 3 n12", "c24=3", "", "", "c24 M n12", 12},
        // Nothing selected: keys do nothing, a background click only reports.
        {"5 Del BS Ret Esc bg", "", "", "", "-", 0},
        // The first digit replaces the shown value, then digits append up to the field's length.
        {"n1 5 129", "", "n1=512", "", "n1", 1},
        {"c2 k3 k9 k1 Ret", "", "c2=39", "C", "c2", 2},
        {"n2 9 Ret", "n2=9", "", "", "n2 M -", 0},
        // Backspace and Delete shorten without starting the typing.
        {"n5 BS 4", "", "n5=4", "", "n5", 5},
        {"n5 5 BS BS BS 7", "", "n5=7", "", "n5", 5},
        // Esc commits as Enter does; an empty label commits as 0, which no channel may be.
        {"n7 45 Esc", "n7=45", "", "", "n7 M -", 0},
        {"n2 Del Ret", "n2=0", "", "", "n2 M -", 0},
        {"c2 Del Ret", "", "c2=0", "C", "c2", 2},
        // The ends of each range are taken, one beyond is refused and keeps the selection.
        {"n1 128 Ret", "n1=128", "", "", "n1 M -", 0},
        {"c1 16 bg", "c1=16", "", "", "c1 M -", 0},
        {"c1 1 bg", "c1=1", "", "", "c1 M -", 0},
        {"c3 17 Ret", "", "c3=17", "C", "c3", 3},
        {"n4 200 c9", "", "n4=200", "N", "n4", 4},
        // After a refusal the next digit starts the value afresh.
        {"n3 129 bg 5 bg", "n3=5", "", "N", "n3 M -", 0},
        // Fill All copies the shown value of the selected field, and typing goes on; its
        // range is checked as a commit checks it.
        {"n3 20 Fill 5", "n*=20", "n3=205", "", "n3 M", 3},
        {"n3 128 Fill", "n*=128", "", "", "n3 M", 3},
        {"Fill", "", "", "", "0", 0},
        {"c5 Del Fill", "", "c5=", "C", "c5", 5},
        {"c5 17 Fill", "", "c5=17", "C", "c5", 5},
        {"n5 200 Fill 7", "", "n5=7", "N", "n5", 5},
    };
    const Grid start = Session().labels;
    for (const Script& s : scripts) {
        SCOPED_TRACE(s.keys);
        Session fresh;
        fresh.run(s.keys);
        const Grid shown = fresh.labels;
        fresh.Fill_Pad_MNN_And_TransmitCh();  // now the labels show the stored values
        EXPECT_EQ(fresh.labels, grid(s.stored, start));
        EXPECT_EQ(shown, grid(s.labels, grid(s.stored, start)));
        EXPECT_EQ(fresh.desktop.messageTexts(), expand(s.messages));
        EXPECT_EQ(fresh.statuses, expand(s.statuses));
        EXPECT_EQ(fresh.editing.SelectedPad(), s.selectedPad);
    }
}

// The plain digits, keypad digits, Enter and Esc are typed on the real window;
// on Linux a digit-row key reads its digit from the key number, whatever Shift makes of it.
TEST(VirtualKeyCode, TranslatesTheKeysPadEditingUses)
{
    const std::optional<int> none;
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, std::optional<int>, int> keys[] = {
        {Qt::Key_Exclam, Qt::ShiftModifier, 1, 49},  // Shift+1 on the digit row
        {Qt::Key_Delete, Qt::KeypadModifier, none, keys::Delete},
        {Qt::Key_End, Qt::KeypadModifier, none, keys::None},
        {Qt::Key_Exclam, Qt::ShiftModifier, none, keys::None},
    };
    for (const auto& [key, modifiers, digit, code] : keys) EXPECT_EQ(virtualKeyCode(key, modifiers, digit), code) << key;
#ifdef Q_OS_LINUX
    for (const auto& [scanCode, digit] : {std::pair{10u, std::optional{1}}, {19u, 0}, {20u, none}, {0u, none}})
        EXPECT_EQ(digitRowKey(scanCode, 0x21), digit) << scanCode;  // "1", typed with Shift as "!"
#endif
}

}  // namespace
