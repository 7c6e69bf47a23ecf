#include "editor/PadEditing.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

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
    int visibleMarkers() const
    {
        int n = 0;
        for (const auto& pad : markers) n += pad[0] + pad[1];
        return n;
    }
    int litPads() const
    {
        int n = 0;
        for (bool on : lit) n += on;
        return n;
    }
};

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

    KitFields fields;
    RecordingBoard board{fields};
    ScriptedDesktop desktop;
    PadEditing editing{fields, board, desktop};
};

const QString NoteRangeText = QStringLiteral("Midi Note Number cannot be higher than 128 or lower than 0.");
const QString ChannelRangeText = QStringLiteral("Transmit Channel cannot be higher than 16 or lower than 0.");
const QString Modified = QStringLiteral("Pad Settings Successfully Modified.");
const QString NoneSelected = QStringLiteral("No pad is currently selected for editing.");

TEST_F(PadEditingTest, ClickingAFieldSelectsItLightsThePadAndPrompts)
{
    editing.Pad_Clicked(2, false);
    EXPECT_EQ(editing.SelectedPad(), 3);
    EXPECT_FALSE(editing.TypingStarted());
    EXPECT_EQ(editing.selectedField(), PadField::Note);
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
}

TEST_F(PadEditingTest, BackgroundClickReportsNothingSelectedAndChangesNothingElse)
{
    const KitFields before = fields;
    editing.Pad_Clicked(-1);
    EXPECT_EQ(board.statuses, QStringList{NoneSelected});
    EXPECT_EQ(editing.SelectedPad(), 0);
    EXPECT_EQ(board.visibleMarkers(), 0);
    EXPECT_EQ(board.litPads(), 0);
    EXPECT_EQ(fields, before);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(PadEditingTest, KeysWithNothingSelectedDoNothing)
{
    type({keys::DigitRow0 + 5, keys::Delete, keys::Backspace, keys::Enter, keys::Escape});
    EXPECT_EQ(board.note(0), "36");
    EXPECT_TRUE(board.statuses.isEmpty());
    EXPECT_EQ(editing.SelectedPad(), 0);
}

TEST_F(PadEditingTest, FirstDigitReplacesTheShownValueThenDigitsAppendUpToTheLimit)
{
    fields.PadMNN[0] = 127;
    board.Fill_Pad_MNN_And_TransmitCh();
    editing.Pad_Clicked(0, false);
    typeDigits("5");
    EXPECT_EQ(board.note(0), "5");
    EXPECT_TRUE(editing.TypingStarted());
    typeDigits("129");
    EXPECT_EQ(board.note(0), "512");
    EXPECT_EQ(editing.typedText(), "512");

    editing.Pad_Clicked(0, true);  // 512 is refused; the note stays selected
    typeDigits("12");
    EXPECT_EQ(board.note(0), "12");
    editing.Pad_Clicked(0, true);
    typeDigits("169");
    EXPECT_EQ(board.channel(0), "16");
}

TEST_F(PadEditingTest, BackspaceShortensWithoutStartingOrEndingTyping)
{
    fields.PadMNN[4] = 127;
    board.Fill_Pad_MNN_And_TransmitCh();
    editing.Pad_Clicked(4, false);
    type({keys::Backspace});
    EXPECT_EQ(board.note(4), "12");
    EXPECT_FALSE(editing.TypingStarted());
    typeDigits("4");
    EXPECT_EQ(board.note(4), "4");

    typeDigits("5");
    type({keys::Backspace, keys::Backspace, keys::Backspace});
    EXPECT_EQ(board.note(4), "");
    EXPECT_TRUE(editing.TypingStarted());
    typeDigits("7");
    EXPECT_EQ(board.note(4), "7");
}

TEST_F(PadEditingTest, DeleteEmptiesTheLabelAndAnEmptyCommitStoresZero)
{
    editing.Pad_Clicked(1, true);
    type({keys::Delete});
    EXPECT_EQ(board.channel(1), "");
    EXPECT_FALSE(editing.TypingStarted());
    type({keys::Enter});
    EXPECT_EQ(fields.PadTCH[1], 0);
    EXPECT_EQ(board.channel(1), "0");
    EXPECT_EQ(editing.SelectedPad(), 0);
}

TEST_F(PadEditingTest, EscCommitsTheTypedValueLikeEnter)
{
    editing.Pad_Clicked(6, false);
    typeDigits("45");
    type({keys::Escape});
    EXPECT_EQ(fields.PadMNN[6], 45);
    EXPECT_EQ(board.statuses.mid(board.statuses.size() - 2), (QStringList{Modified, NoneSelected}));
    EXPECT_EQ(board.visibleMarkers(), 0);
    EXPECT_EQ(board.litPads(), 0);
}

TEST_F(PadEditingTest, KeypadDigitsTypeAndOtherKeysAreIgnored)
{
    editing.Pad_Clicked(0, false);
    type({keys::Keypad0 + 9, keys::Keypad0 + 0});
    EXPECT_EQ(board.note(0), "90");
    type({35, 36, 65, 106, 110, 32, 16});  // keypad End/Home, A, keypad * and ., space, Shift
    EXPECT_EQ(board.note(0), "90");
    EXPECT_EQ(editing.SelectedPad(), 1);
}

TEST_F(PadEditingTest, RangeEndsAreAcceptedAndValuesBeyondRefusedWithTheirMessage)
{
    editing.Pad_Clicked(0, false);
    typeDigits("128");
    editing.Pad_Clicked(0, true);
    EXPECT_EQ(fields.PadMNN[0], 128);
    typeDigits("16");
    editing.Pad_Clicked(1, false);
    EXPECT_EQ(fields.PadTCH[0], 16);
    typeDigits("0");
    editing.Pad_Clicked(1, true);
    EXPECT_EQ(fields.PadMNN[1], 0);
    typeDigits("0");
    editing.Pad_Clicked(2, false);
    EXPECT_EQ(fields.PadTCH[1], 0);
    EXPECT_TRUE(desktop.messages.empty());

    typeDigits("129");
    editing.Pad_Clicked(-1);
    typeDigits("5");
    editing.Pad_Clicked(2, true);
    typeDigits("17");
    editing.Pad_Clicked(-1);
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

TEST_F(PadEditingTest, UnchangedValueCommitsSilentlyAndKeepsTheTypedText)
{
    fields.PadMNN[0] = 7;
    board.Fill_Pad_MNN_And_TransmitCh();
    editing.Pad_Clicked(0, false);
    typeDigits("007");
    type({keys::Enter});
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(board.statuses.contains(Modified));
    EXPECT_EQ(board.note(0), "007");
    EXPECT_EQ(fields.PadMNN[0], 7);

    editing.Pad_Clicked(0, false);
    type({keys::Backspace});
    EXPECT_EQ(board.note(0), "00");
}

TEST_F(PadEditingTest, LeadingZerosAreDroppedFromAStoredValue)
{
    editing.Pad_Clicked(0, false);
    typeDigits("000");
    type({keys::Enter});
    EXPECT_EQ(fields.PadMNN[0], 0);
    EXPECT_EQ(board.note(0), "0");
}

TEST_F(PadEditingTest, ClickingAnotherFieldCommitsAndMovesTheSelection)
{
    editing.Pad_Clicked(5, false);
    typeDigits("60");
    editing.Pad_Clicked(5, true);
    EXPECT_EQ(fields.PadMNN[5], 60);
    EXPECT_EQ(editing.selectedField(), PadField::Channel);
    EXPECT_FALSE(board.markers[5][0]);
    EXPECT_TRUE(board.markers[5][1]);
    EXPECT_TRUE(board.lit[5]);

    typeDigits("3");
    editing.Pad_Clicked(5, true);
    EXPECT_EQ(fields.PadTCH[5], 3);
    EXPECT_EQ(editing.SelectedPad(), 6);
    EXPECT_FALSE(editing.TypingStarted());
    typeDigits("4");
    EXPECT_EQ(board.channel(5), "4");

    editing.Pad_Clicked(11, false);
    EXPECT_FALSE(board.lit[5]);
    EXPECT_TRUE(board.lit[11]);
    EXPECT_EQ(board.visibleMarkers(), 1);
}

TEST_F(PadEditingTest, FillAllWithNothingSelectedRewritesTheLabelsOnly)
{
    const KitFields before = fields;
    editing.Pad_Clicked(0, false);
    typeDigits("007");
    editing.Pad_Clicked(-1);
    fields.PadMNN[0] = 7;  // unchanged value: label still shows 007
    editing.fillAll();
    EXPECT_EQ(fields.PadTCH, before.PadTCH);
    EXPECT_EQ(board.note(0), "7");
    EXPECT_EQ(board.statuses.last(), Modified);
}

TEST_F(PadEditingTest, FillAllCopiesTheUncommittedValueOfTheSelectedFieldOnly)
{
    editing.Pad_Clicked(2, false);
    typeDigits("45");
    editing.fillAll();
    for (int pad = 0; pad < PadCount; ++pad) {
        EXPECT_EQ(fields.PadMNN[pad], 45);
        EXPECT_EQ(board.note(pad), "45");
        EXPECT_EQ(fields.PadTCH[pad], 10);
    }
    EXPECT_EQ(board.statuses.last(), Modified);
    EXPECT_EQ(editing.SelectedPad(), 3);
    EXPECT_TRUE(editing.TypingStarted());
    EXPECT_TRUE(board.markers[2][0]);
    EXPECT_TRUE(board.lit[2]);

    const auto statusesBefore = board.statuses.size();
    type({keys::Enter});  // the label now shows the stored value: nothing to commit
    EXPECT_EQ(board.statuses.mid(statusesBefore), QStringList{NoneSelected});
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(PadEditingTest, FillAllStoresValuesUpTo255WithoutARangeCheck)
{
    editing.Pad_Clicked(9, false);
    typeDigits("200");
    editing.fillAll();
    EXPECT_TRUE(desktop.messages.empty());
    for (int pad = 0; pad < PadCount; ++pad) EXPECT_EQ(fields.PadMNN[pad], 200);
}

TEST_F(PadEditingTest, FillAllRefusesAnEmptyOrOversizedValueAndStoresNothing)
{
    const KitFields before = fields;
    editing.Pad_Clicked(4, true);
    type({keys::Delete});
    editing.fillAll();
    editing.Pad_Clicked(-1);  // the empty channel is committed as 0
    editing.Pad_Clicked(4, false);
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

}  // namespace

namespace {

TEST(VirtualKeyCode, TranslatesTheKeysPadEditingUses)
{
    EXPECT_EQ(virtualKeyCode(Qt::Key_0, Qt::NoModifier, std::nullopt), 48);
    EXPECT_EQ(virtualKeyCode(Qt::Key_9, Qt::ShiftModifier, std::nullopt), 57);
    EXPECT_EQ(virtualKeyCode(Qt::Key_7, Qt::KeypadModifier, std::nullopt), 103);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Enter, Qt::KeypadModifier, std::nullopt), keys::Enter);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Return, Qt::NoModifier, std::nullopt), keys::Enter);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Escape, Qt::NoModifier, std::nullopt), keys::Escape);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Delete, Qt::NoModifier, std::nullopt), keys::Delete);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Backspace, Qt::NoModifier, std::nullopt), keys::Backspace);
}

TEST(VirtualKeyCode, ShiftedDigitRowKeysStillTypeTheirDigit)
{
    EXPECT_EQ(virtualKeyCode(Qt::Key_Exclam, Qt::ShiftModifier, 1), 49);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Exclam, Qt::ShiftModifier, std::nullopt), keys::None);
}

TEST(VirtualKeyCode, KeypadKeysInNavigationModeCountOnlyAsDelete)
{
    EXPECT_EQ(virtualKeyCode(Qt::Key_End, Qt::KeypadModifier, std::nullopt), keys::None);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Delete, Qt::KeypadModifier, std::nullopt), keys::Delete);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Home, Qt::NoModifier, std::nullopt), keys::None);
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
