#include "WindowFixture.h"

#include "kit/KitSettingsDialog.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace morvane;
using namespace morvane::testing;

namespace {

class PadEditingWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        startWith(makeKitDump());
    }

    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void clickPad(const char* array, int i) { click(padName(array, i)); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window.get(), key, modifiers);
    }
    void typeDigits(const char* digits)
    {
        for (const char* d = digits; *d; ++d) press(static_cast<Qt::Key>(Qt::Key_0 + (*d - '0')));
    }
    void trigger(const char* item) { window->menuAction(QString::fromLatin1(item))->trigger(); }

    KitSettingsDialog& dialog() { return window->kitSettings(); }
    template <typename W>
    W* inDialog(const char* name)
    {
        return dialog().findChild<W*>(QString::fromLatin1(name));
    }
};

TEST_F(PadEditingWindow, HeaderLabelsOpenTheKitSettingsLeavingAnEditPendingAndANewKitRefillsIt)
{
    clickPad("PadMNNLabel", 0);
    typeDigits("99");
    for (const char* label : {"Print_KitTitleLabel", "Print_KitNumberLabel", "Print_BankNumberLabel"}) {
        click(QString::fromLatin1(label));
        EXPECT_TRUE(dialog().isVisible()) << label;
    }
    EXPECT_EQ(inDialog<QComboBox>("KitNumberCombo")->count(), 24);
    EXPECT_EQ(text(padName("PadMNNLabel", 0)), "99");
    EXPECT_EQ(window->padEditing().SelectedPad(), 1);
    EXPECT_TRUE(window->padEditing().TypingStarted());
    EXPECT_EQ(window->kit().fields().PadMNN[0], 36);

    // A kit that arrives while it is open replaces what was typed for the old one.
    inDialog<QComboBox>("KitNumberCombo")->setEditText("9");
    KitSpec other;
    other.kitNumber = 7;
    ASSERT_TRUE(window->Interpret_Buffer(makeKitDump(other)));
    EXPECT_EQ(inDialog<QComboBox>("KitNumberCombo")->currentText(), "7");
}

// The whole way a user edits a kit, down to the bytes of the saved file.
TEST_F(PadEditingWindow, EditedKitIsSavedByteForByte)
{
    clickPad("PadTCHLabel", 2);
    typeDigits("7");
    trigger("MnuSettings_FillAll");
    press(Qt::Key_Return);
    clickPad("PadMNNLabel", 0);
    EXPECT_TRUE(shown(padName("PadMNNSelImage", 0)));
    EXPECT_TRUE(shown(padName("PadLitImage", 0)));
    EXPECT_TRUE(window->statusText().startsWith("You have selected the Midi Note Number for pad 1."));
    window->show();
    const auto* status = control<QLabel>("Status_Line");
    EXPECT_LE(status->fontMetrics().horizontalAdvance(status->text()), status->contentsRect().width());
    typeDigits("45");
    EXPECT_EQ(text(padName("PadMNNLabel", 0)), "45");
    press(Qt::Key_Return);
    EXPECT_FALSE(shown(padName("PadMNNSelImage", 0)));
    EXPECT_FALSE(shown(padName("PadLitImage", 0)));
    EXPECT_EQ(window->statusText(), "No pad is currently selected for editing.");
    clickPad("PadTCHLabel", 1);
    press(Qt::Key_3, Qt::KeypadModifier);
    press(Qt::Key_Enter, Qt::KeypadModifier);

    click("Print_KitTitleLabel");
    inDialog<QLineEdit>("KitNameText")->setText("JAZZ");
    inDialog<QComboBox>("KitNumberCombo")->setEditText("12");
    inDialog<QComboBox>("BankNumberCombo")->setEditText("0");
    QTest::keyClick(inDialog<QLineEdit>("KitNameText"), Qt::Key_Return);
    ASSERT_FALSE(dialog().isVisible());
    EXPECT_EQ(window->windowTitle(), "VEXO Morvane Editor v1.03 - JAZZ (rock1.syx)");
    EXPECT_EQ(text("Print_KitNumberLabel"), "Kit #: 12");
    EXPECT_EQ(text("Print_BankNumberLabel"), "Bank #: 0");

    desktop.saveChoices.push_back(kits.path("jazz.syx"));
    trigger("MnuFile_SaveAs");
    ASSERT_TRUE(desktop.messages.empty()) << desktop.messageTexts().join('\n').toStdString();

    KitSpec expected;
    expected.name = "JAZZ        ";
    expected.kitNumber = 12;
    expected.bankNumber = 0;
    expected.notes[0] = 45;
    expected.channels.fill(7);
    expected.channels[1] = 3;
    EXPECT_EQ(kits.read("jazz.syx"), makeKitDump(expected));
}

}  // namespace
