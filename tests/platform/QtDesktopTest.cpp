// The real message boxes and dialogs, driven as a user would.
#include "platform/widgets/QtDesktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <tuple>

#include <gtest/gtest.h>

using namespace morvane;

// Esc and the close button may only end boxes that offer a way out; the
// Yes/No question must be answered, as its No switches the questions off.
TEST(QtDesktopBoxes, EscAndCloseEndOnlyBoxesThatOfferAWayOut)
{
    const std::tuple<MessageStyle, bool, MessageAnswer> rows[] = {{MessageStyle::YesNo, true, MessageAnswer::No},
                                                                  {MessageStyle::OkCancelQuestion, false, MessageAnswer::Cancel},
                                                                  {MessageStyle::Critical, false, MessageAnswer::Ok}};
    for (const auto& [style, expectOpen, answer] : rows) {
        QtDesktop desktop;
        bool stillOpen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Escape);
            box->close();
            stillOpen = box->isVisible();
            if (stillOpen) box->button(QMessageBox::No)->click();
        });
        EXPECT_EQ(desktop.messageBox(QStringLiteral("Question?"), style), answer);
        EXPECT_EQ(stillOpen, expectOpen) << static_cast<int>(style);
    }
}

// Qt's own save dialog would read `my "best" kit.syx` as the name best.syx.
TEST(QtDesktopDialogs, SaveRefusesANameHoldingQuotesAndTakesTheNextOne)
{
    QTemporaryDir folder;
    QtDesktop desktop;
    QString refusal;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            refusal = box->text();
            box->accept();
        });
        name->setText(R"(my "best" kit.syx)");
        QTest::keyClick(name, Qt::Key_Return);
        name->setText("good");
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_EQ(desktop.saveFileName({"Sysex Files (*.syx)", folder.path()}), folder.filePath("good.syx"));
    EXPECT_TRUE(refusal.contains("double quote")) << refusal.toStdString();
}
