// The real message boxes, driven by keys as a user would.
#include "platform/QtDesktop.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace morvane;

// Esc and the close button may only end boxes that offer a way out; the
// Yes/No question must be answered, as its No switches the questions off.
TEST(QtDesktopBoxes, EscAndCloseEndOnlyBoxesThatOfferAWayOut)
{
    struct Row {
        MessageStyle style;
        bool stillOpen;
        MessageAnswer answer;
    };
    for (const auto& row : {Row{MessageStyle::YesNo, true, MessageAnswer::No},
                            Row{MessageStyle::OkCancelQuestion, false, MessageAnswer::Cancel},
                            Row{MessageStyle::Critical, false, MessageAnswer::Ok}}) {
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
        EXPECT_EQ(desktop.messageBox(QStringLiteral("Question?"), row.style), row.answer);
        EXPECT_EQ(stillOpen, row.stillOpen) << static_cast<int>(row.style);
    }
}
