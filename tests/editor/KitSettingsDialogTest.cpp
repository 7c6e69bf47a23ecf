#include "kit/Cp1252.h"
#include "kit/KitCodec.h"
#include "editor/widgets/KitSettingsDialog.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
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

TEST_F(KitSettingsDialogTest, OpensFilledFromTheKitAndCancelChangesNothingNorDoublesItsLists)
{
    fields.BankNumber = 0;
    const KitFields before = fields;
    open();
    EXPECT_EQ(name()->text(), "ROCK KIT");
    EXPECT_EQ(kit()->currentText(), "3");
    EXPECT_EQ(bank()->currentText(), "0");

    // Leaving a bad box for Cancel is no reason to complain.
    focusAndType(kit(), "99", Qt::Key_End);
    dialog.findChild<QPushButton*>("CancelBtn")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(dialog.isVisible() || chosen);
    EXPECT_EQ(fields, before);
    open();
    EXPECT_EQ(name()->text(), "ROCK KIT");
    EXPECT_EQ(kit()->count(), 24);
    EXPECT_EQ(bank()->count(), 129);
}

TEST_F(KitSettingsDialogTest, EnterOrOkAppliesNothingUntilBothNumbersAreInRangeThenPassesBankPlusOneAndKeepsAnEmptiedName)
{
    open();
    focusAndType(kit(), "25", Qt::Key_Return);
    EXPECT_EQ(desktop.messageTexts(), QStringList{KitRangeText});
    EXPECT_EQ(QApplication::focusWidget(), kit());
    typeInFocus("3", Qt::Key_End);
    focusAndType(bank(), "200", Qt::Key_End);
    QTest::mouseClick(ok(), Qt::LeftButton);
    // Once: leaving the box for OK adds none.
    EXPECT_EQ(desktop.messageTexts(), (QStringList{KitRangeText, BankRangeText}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(chosen);

    bank()->setEditText("0");
    name()->clear();
    focusAndType(kit(), "24", Qt::Key_Enter);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->NewBankNumber, 1);
    EXPECT_EQ(fields.KitNumber, 24);
    EXPECT_EQ(fields.KitName, "ROCK KIT");  // an empty name keeps the old one
    EXPECT_EQ(kit()->count(), 24);          // Enter adds nothing to the list
}

TEST_F(KitSettingsDialogTest, NamesAreCodePage1252AndTheKitsOwnNumbersPassUntouchedOutsideTheTypingRange)
{
    fields.KitName = "CAF\xC9 \x80";  // "CAFÉ €"
    fields.KitNumber = 100;
    fields.BankNumber = 200;
    open();
    EXPECT_EQ(name()->text(), QString::fromUtf8("CAF\u00C9 \u20AC"));

    // Twelve characters, the last outside the BMP, and one too many: the box keeps twelve whole.
    name()->clear();
    QTest::keyClicks(name(), "ABCDEFGHIJK");
    for (const QString key : {QString::fromUtf8("\U0001F941"), QString("L")}) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(name(), &typed);
    }
    EXPECT_EQ(name()->text(), QString::fromUtf8("ABCDEFGHIJK\U0001F941"));
    ok()->click();
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{QString::fromUtf8("The character \"\U0001F941\" cannot be stored in a kit name.")});
    EXPECT_EQ(QApplication::focusWidget(), name());
    EXPECT_FALSE(chosen);

    name()->setText(QString::fromUtf8("\u00DCber"));
    ok()->click();
    EXPECT_EQ(fields.KitName, "\xDC" "ber");
    EXPECT_EQ(fields.KitNumber, 100);
    EXPECT_EQ(fields.BankNumber, 200);
}

}  // namespace
