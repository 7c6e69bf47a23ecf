#include "editor/PadEditing.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace morvane;
using morvane::testing::ScriptedDesktop;

namespace {

// Keeps what a pad board would show.
struct RecordingBoard final : PadBoardView {
    explicit RecordingBoard(const KitFields& fields) : fields(fields) {}

    const KitFields& fields;
    std::array<std::array<bool, 2>, PadCount> markers{};
    std::array<bool, PadCount> lit{};
    std::array<std::array<QString, 2>, PadCount> labels;
    QStringList statuses;

    static std::size_t slot(PadField f) { return f == PadField::Note ? 0 : 1; }
    void setMarkerVisible(int pad, PadField field, bool visible) override { markers[pad][slot(field)] = visible; }
    void setLitVisible(int pad, bool visible) override { lit[pad] = visible; }
    QString valueText(int pad, PadField field) const override { return labels[pad][slot(field)]; }
    void setValueText(int pad, PadField field, const QString& text) override { labels[pad][slot(field)] = text; }
    void Fill_Pad_MNN_And_TransmitCh() override
    {
        for (int pad = 0; pad < PadCount; ++pad) {
            labels[pad][0] = QString::number(fields.PadMNN[pad]);
            labels[pad][1] = QString::number(fields.PadTCH[pad]);
        }
    }
    void Status_Update(const QString& text) override { statuses << text; }

    QString note(int pad) const { return labels[pad][0]; }
    QString channel(int pad) const { return labels[pad][1]; }
    long visibleMarkers() const
    {
        return std::count_if(markers.begin(), markers.end(), [](const auto& m) { return m[0] || m[1]; });
    }
    long litPads() const { return std::count(lit.begin(), lit.end(), true); }
};

const QString NoteRangeText = QStringLiteral("Midi Note Number cannot be higher than 128 or lower than 0.");
const QString ChannelRangeText = QStringLiteral("Transmit Channel cannot be higher than 16 or lower than 0.");
const QString Modified = QStringLiteral("Pad Settings Successfully Modified.");
const QString NoneSelected = QStringLiteral("No pad is currently selected for editing.");

class PadEditingTest : public ::testing::Test {
protected:
    PadEditingTest()
    {
        for (int pad = 0; pad < PadCount; ++pad) {
            fields.PadMNN[pad] = static_cast<std::uint8_t>(36 + pad);
            fields.PadTCH[pad] = 10;
        }
        board.Fill_Pad_MNN_And_TransmitCh();
    }

    void type(std::initializer_list<int> keyCodes)
    {
        for (int key : keyCodes) editing.Form_KeyDown(key);
    }
    void typeDigits(const char* digits)
    {
        for (const char* d = digits; *d; ++d) editing.Form_KeyDown(keys::DigitRow0 + (*d - '0'));
    }
    void showNote(int pad, int note)
    {
        fields.PadMNN[pad] = static_cast<std::uint8_t>(note);
        board.Fill_Pad_MNN_And_TransmitCh();
    }

    KitFields fields;
    RecordingBoard board{fields};
    ScriptedDesktop desktop;
    PadEditing editing{fields, board, desktop};
};

TEST_F(PadEditingTest, ClickingAFieldSelectsItLightsThePadAndPromptsAndClickingAnotherCommits)
{
    editing.Pad_Clicked(2, false);
    EXPECT_EQ(editing.SelectedPad(), 3);
    EXPECT_FALSE(editing.TypingStarted());
    EXPECT_TRUE(board.markers[2][0]);
    EXPECT_TRUE(board.lit[2]);
    EXPECT_EQ(board.statuses.last(),
              "You have selected the Midi Note Number for pad 3. Please type in the new Midi Note Number or "
              "press the Esc key to stop editing.");

    editing.Pad_Clicked(23, true);
    EXPECT_EQ(editing.SelectedPad(), 24);
    EXPECT_EQ(editing.selectedField(), PadField::Channel);
    EXPECT_EQ(board.visibleMarkers(), 1);
    EXPECT_TRUE(board.markers[23][1]);
    EXPECT_EQ(board.litPads(), 1);
    EXPECT_TRUE(board.lit[23]);
    EXPECT_EQ(board.statuses.last(),
              "You have selected the Transmit Channel for pad 24. Please type in the new Transmit Channel or "
              "press the Esc key to stop editing.");

    // Clicking another field commits what was typed and moves the selection.
    typeDigits("3");
    editing.Pad_Clicked(23, false);
    EXPECT_EQ(fields.PadTCH[23], 3);
    EXPECT_FALSE(board.markers[23][1]);
    EXPECT_TRUE(board.markers[23][0]);
    EXPECT_FALSE(editing.TypingStarted());
    editing.Pad_Clicked(11, false);
    EXPECT_FALSE(board.lit[23]);
    EXPECT_TRUE(board.lit[11]);
    EXPECT_EQ(board.visibleMarkers(), 1);
}

TEST_F(PadEditingTest, WithNothingSelectedKeysDoNothingAndABackgroundClickOnlyReports)
{
    const KitFields before = fields;
    type({keys::DigitRow0 + 5, keys::Delete, keys::Backspace, keys::Enter, keys::Escape});
    EXPECT_TRUE(board.statuses.isEmpty());
    editing.Pad_Clicked(-1);
    EXPECT_EQ(board.statuses, QStringList{NoneSelected});
    EXPECT_EQ(editing.SelectedPad(), 0);
    EXPECT_EQ(board.visibleMarkers() + board.litPads(), 0);
    EXPECT_EQ(board.note(0), "36");
    EXPECT_EQ(fields, before);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(PadEditingTest, FirstDigitReplacesTheShownValueThenDigitsAppendUpToTheLimitAndKeysShorten)
{
    showNote(0, 127);
    editing.Pad_Clicked(0, false);
    typeDigits("5");
    EXPECT_EQ(board.note(0), "5");
    EXPECT_TRUE(editing.TypingStarted());
    typeDigits("129");
    EXPECT_EQ(board.note(0), "512");

    type({keys::Delete});
    editing.Pad_Clicked(1, true);
    typeDigits("169");
    EXPECT_EQ(board.channel(1), "16");

    // Backspace and Delete shorten without changing whether typing started.
    showNote(4, 127);
    editing.Pad_Clicked(4, false);
    type({keys::Backspace});
    EXPECT_EQ(board.note(4), "12");
    EXPECT_FALSE(editing.TypingStarted());
    typeDigits("4");
    EXPECT_EQ(board.note(4), "4");

    typeDigits("5");
    type({keys::Backspace, keys::Backspace, keys::Backspace});
    EXPECT_EQ(board.note(4), "");
    typeDigits("7");
    EXPECT_EQ(board.note(4), "7");
    type({keys::Delete});
    EXPECT_EQ(board.note(4), "");
    EXPECT_TRUE(editing.TypingStarted());
}

TEST_F(PadEditingTest, EscCommitsLikeEnterAndAnEmptyLabelCommitsAsZero)
{
    editing.Pad_Clicked(6, false);
    typeDigits("45");
    type({keys::Escape});
    EXPECT_EQ(fields.PadMNN[6], 45);
    EXPECT_EQ(board.statuses.mid(board.statuses.size() - 2), (QStringList{Modified, NoneSelected}));
    EXPECT_EQ(board.visibleMarkers() + board.litPads(), 0);

    editing.Pad_Clicked(1, true);
    type({keys::Delete, keys::Enter});
    EXPECT_EQ(fields.PadTCH[1], 0);
    EXPECT_EQ(board.channel(1), "0");
}

TEST_F(PadEditingTest, RangeEndsAreAcceptedAndValuesBeyondRefusedWithTheirMessage)
{
    const auto commit = [this](int pad, bool channel, const char* digits) {
        editing.Pad_Clicked(pad, channel);
        typeDigits(digits);
        editing.Pad_Clicked(-1);
    };
    commit(0, false, "128");
    commit(0, true, "16");
    commit(1, false, "0");
    commit(1, true, "0");
    EXPECT_EQ(fields.PadMNN[0], 128);
    EXPECT_EQ(fields.PadTCH[0], 16);
    EXPECT_EQ(fields.PadMNN[1], 0);
    EXPECT_EQ(fields.PadTCH[1], 0);
    EXPECT_TRUE(desktop.messages.empty());

    commit(2, false, "129");
    typeDigits("5");
    editing.Pad_Clicked(-1);
    commit(2, true, "17");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, NoteRangeText);
    EXPECT_EQ(desktop.messages[0].title, "Midi Note Number too high or too low");
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::Plain);
    EXPECT_EQ(desktop.messages[1].text, ChannelRangeText);
    EXPECT_EQ(desktop.messages[1].title, "Transmit Channel too high or too low");
    EXPECT_EQ(fields.PadMNN[2], 5);
    EXPECT_EQ(fields.PadTCH[2], 10);
}

TEST_F(PadEditingTest, RefusedCommitKeepsTheSelection)
{
    const KitFields before = fields;
    editing.Pad_Clicked(3, false);
    typeDigits("200");
    const auto statusesBefore = board.statuses.size();
    editing.Pad_Clicked(8, true);

    EXPECT_EQ(desktop.messageTexts(), QStringList{NoteRangeText});
    EXPECT_EQ(fields, before);
    EXPECT_EQ(editing.SelectedPad(), 4);
    EXPECT_EQ(editing.selectedField(), PadField::Note);
    EXPECT_FALSE(editing.TypingStarted());
    EXPECT_TRUE(board.markers[3][0]);
    EXPECT_EQ(board.visibleMarkers(), 1);
    EXPECT_TRUE(board.lit[3]);
    EXPECT_FALSE(board.lit[8]);
    EXPECT_EQ(board.note(3), "200");
    EXPECT_EQ(board.statuses.size(), statusesBefore);

    typeDigits("5");
    EXPECT_EQ(board.note(3), "5");
}

TEST_F(PadEditingTest, FillAllCopiesTheShownValueOfTheSelectedFieldWithoutARangeCheck)
{
    editing.Pad_Clicked(2, false);
    typeDigits("200");
    editing.fillAll();
    for (int pad = 0; pad < PadCount; ++pad) {
        EXPECT_EQ(fields.PadMNN[pad], 200);
        EXPECT_EQ(board.note(pad), "200");
        EXPECT_EQ(fields.PadTCH[pad], 10);
    }
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(board.statuses.last(), Modified);
    EXPECT_EQ(editing.SelectedPad(), 3);
    EXPECT_TRUE(editing.TypingStarted());
    EXPECT_TRUE(board.markers[2][0]);

    editing.Pad_Clicked(-1);  // nothing left to commit
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(board.statuses.last(), NoneSelected);
}

TEST_F(PadEditingTest, FillAllRefusesAnEmptyOrOversizedValueAndStoresNothing)
{
    const KitFields before = fields;
    editing.Pad_Clicked(4, true);
    type({keys::Delete});
    editing.fillAll();
    editing.Pad_Clicked(4, false);  // the empty channel is committed as 0
    typeDigits("300");
    editing.fillAll();

    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text,
              "There is no value to fill all pads with: the selected Transmit Channel is empty.");
    EXPECT_EQ(desktop.messages[1].text,
              "300 cannot be copied to all pads: a pad holds no Midi Note Number higher than 255.");
    EXPECT_EQ(desktop.messages[1].style, MessageStyle::Plain);
    EXPECT_EQ(desktop.messages[1].title, ApplicationTitle);
    EXPECT_EQ(fields.PadMNN, before.PadMNN);
    EXPECT_EQ(fields.PadTCH[4], 0);
    EXPECT_EQ(board.note(4), "300");
    EXPECT_NE(board.statuses.last(), Modified);
}

TEST(VirtualKeyCode, TranslatesTheKeysPadEditingUses)
{
    const std::optional<int> noDigitKey;
    EXPECT_EQ(virtualKeyCode(Qt::Key_0, Qt::NoModifier, noDigitKey), 48);
    EXPECT_EQ(virtualKeyCode(Qt::Key_9, Qt::ShiftModifier, noDigitKey), 57);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Exclam, Qt::ShiftModifier, 1), 49);
    EXPECT_EQ(virtualKeyCode(Qt::Key_7, Qt::KeypadModifier, noDigitKey), 103);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Enter, Qt::KeypadModifier, noDigitKey), keys::Enter);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Return, Qt::NoModifier, noDigitKey), keys::Enter);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Escape, Qt::NoModifier, noDigitKey), keys::Escape);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Delete, Qt::KeypadModifier, noDigitKey), keys::Delete);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Backspace, Qt::NoModifier, noDigitKey), keys::Backspace);
    EXPECT_EQ(virtualKeyCode(Qt::Key_End, Qt::KeypadModifier, noDigitKey), keys::None);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Exclam, Qt::ShiftModifier, noDigitKey), keys::None);
}

#ifdef Q_OS_LINUX
TEST(DigitRowKey, ReadsTheDigitFromTheKeyboardsKeyNumber)
{
    EXPECT_EQ(digitRowKey(10, 0x21), 1);  // "1", typed with Shift as "!"
    EXPECT_EQ(digitRowKey(19, 0x29), 0);
    EXPECT_EQ(digitRowKey(20, 0x2d), std::nullopt);
    EXPECT_EQ(digitRowKey(0, 0), std::nullopt);
}
#endif

}  // namespace
