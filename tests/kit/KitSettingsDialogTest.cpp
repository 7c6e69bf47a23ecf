#include "kit/Cp1252.h"
#include "kit/KitCodec.h"
#include "kit/KitSettingsDialog.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

using namespace morvane;
using morvane::testing::ScriptedDesktop;

namespace {

const QString KitRangeText = QStringLiteral("Kit Number cannot be higher than 24 or lower than 1.");
const QString BankRangeText = QStringLiteral("Bank Number cannot be higher than 128 or lower than 0.");

class KitSettingsDialogTest : public ::testing::Test {
protected:
    KitSettingsDialogTest()
    {
        fields.KitName = "ROCK KIT";
        fields.KitNumber = 3;
        fields.BankNumber = 5;
        QObject::connect(&dialog, &KitSettingsDialog::settingsChosen, [this](const KitSettingsChoice& c) {
            chosen = c;
            const auto name = cp1252FromUtf8(c.NewKitName.toStdString());
            ASSERT_TRUE(name);
            replaceSystemVariables(fields, name.value(), c.NewKitNumber, c.NewBankNumber);
        });
    }

    void open()
    {
        dialog.openWith(fields.KitName, fields.KitNumber, fields.BankNumber);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    template <typename W>
    W* child(const char* name)
    {
        return dialog.findChild<W*>(QString::fromLatin1(name));
    }
    QLineEdit* name() { return child<QLineEdit>("KitNameText"); }
    QComboBox* kit() { return child<QComboBox>("KitNumberCombo"); }
    QComboBox* bank() { return child<QComboBox>("BankNumberCombo"); }
    QPushButton* ok() { return child<QPushButton>("OKBtn"); }
    // Types into the box that has the keyboard focus, as a user would.
    void typeInFocus(const QString& text, Qt::Key end)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, text);
        QTest::keyClick(target, end);
    }
    void focusAndType(QWidget* box, const QString& text, Qt::Key end)
    {
        box->setFocus(Qt::TabFocusReason);
        typeInFocus(text, end);
    }

    KitFields fields;
    ScriptedDesktop desktop;
    KitSettingsDialog dialog{desktop};
    std::optional<KitSettingsChoice> chosen;
};

TEST_F(KitSettingsDialogTest, OpensFilledFromTheKitWithFullListsAndReopensWithoutDoublingThem)
{
    fields.BankNumber = 0;
    open();
    EXPECT_EQ(dialog.objectName(), "KitSettings");
    EXPECT_EQ(dialog.windowTitle(), "Kit Settings");
    EXPECT_EQ(name()->text(), "ROCK KIT");
    EXPECT_EQ(kit()->currentText(), "3");
    EXPECT_EQ(bank()->currentText(), "0");
    ASSERT_EQ(kit()->count(), 24);
    EXPECT_EQ(kit()->itemText(0), "1");
    EXPECT_EQ(kit()->itemText(23), "24");
    ASSERT_EQ(bank()->count(), 129);
    EXPECT_EQ(bank()->itemText(128), "128");
    EXPECT_EQ(name()->maxLength(), KitNameLength);

    // Reopened while open it keeps what was typed; the lists are never doubled.
    name()->setText("NEW NAME");
    open();
    EXPECT_EQ(name()->text(), "NEW NAME");
    EXPECT_EQ(kit()->count(), 24);
    dialog.findChild<QPushButton*>("CancelBtn")->click();
    open();
    EXPECT_EQ(name()->text(), "ROCK KIT");
    EXPECT_EQ(kit()->count(), 24);
    EXPECT_EQ(bank()->count(), 129);
}

TEST_F(KitSettingsDialogTest, EnterInTheKitBoxChecksBeforeApplying)
{
    open();
    focusAndType(kit(), "25", Qt::Key_Return);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, KitRangeText);
    EXPECT_EQ(desktop.messages[0].title, "Kit Number too high or too low");
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::Plain);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), kit());
    EXPECT_EQ(kit()->currentText(), "25");
    EXPECT_FALSE(chosen);

    typeInFocus("24", Qt::Key_Enter);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(fields.KitNumber, 24);
    EXPECT_EQ(kit()->count(), 24);  // Enter adds nothing to the list
}

TEST_F(KitSettingsDialogTest, LeavingABoxWithABadNumberBringsTheFocusBack)
{
    QWidget mainWindow;  // closing a message box activates the window it belongs to
    mainWindow.show();
    desktop.whileMessageShown = [&](const auto&) {
        mainWindow.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    };
    open();
    focusAndType(bank(), "129", Qt::Key_Backtab);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(desktop.messageTexts(), QStringList{BankRangeText});
    EXPECT_EQ(desktop.messages[0].title, "Bank Number too high or too low");
    EXPECT_EQ(QApplication::focusWidget(), bank());
    EXPECT_EQ(bank()->currentText(), "129");

    typeInFocus("128", Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), kit());
    typeInFocus("0", Qt::Key_Tab);
    EXPECT_EQ(desktop.messageTexts(), (QStringList{BankRangeText, KitRangeText}));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), kit());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(KitSettingsDialogTest, OkAppliesNothingUntilBothNumbersAreInRangeThenPassesBankPlusOneAndKeepsAnEmptiedName)
{
    open();
    focusAndType(bank(), "200", Qt::Key_End);
    QTest::mouseClick(ok(), Qt::LeftButton);
    EXPECT_EQ(desktop.messageTexts(), QStringList{BankRangeText});  // once: leaving the box for OK adds none
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(chosen);

    bank()->setEditText("0");
    name()->clear();
    ok()->click();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->NewBankNumber, 1);
    EXPECT_EQ(fields.BankNumber, 0);
    EXPECT_EQ(fields.KitName, "ROCK KIT");  // an empty name keeps the old one
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(KitSettingsDialogTest, CancelChangesNothing)
{
    const KitFields before = fields;
    open();
    name()->setText("OTHER");
    bank()->setEditText("9");
    focusAndType(kit(), "99", Qt::Key_End);
    dialog.findChild<QPushButton*>("CancelBtn")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(desktop.messages.empty());  // leaving a bad box for Cancel is no reason to complain
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(chosen);
    EXPECT_EQ(fields, before);
}

TEST_F(KitSettingsDialogTest, NamesAreCodePage1252AndTheKitsOwnNumbersPassUntouchedOutsideTheTypingRange)
{
    fields.KitName = "CAF\xC9 \x80";  // "CAFÉ €"
    fields.KitNumber = 100;
    fields.BankNumber = 200;
    open();
    EXPECT_EQ(name()->text(), QString::fromUtf8("CAF\u00C9 \u20AC"));

    name()->setText(QString::fromUtf8("SNOW \u2603"));
    ok()->click();
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{QString::fromUtf8("The character \"\u2603\" cannot be stored in a kit name.")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), name());
    EXPECT_FALSE(chosen);

    name()->setText(QString::fromUtf8("\u00DCber"));
    ok()->click();
    EXPECT_EQ(fields.KitName, "\xDC" "ber");
    EXPECT_EQ(fields.KitNumber, 100);
    EXPECT_EQ(fields.BankNumber, 200);
}

}  // namespace
