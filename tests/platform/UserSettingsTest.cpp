#include "platform/UserSettings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace morvane;

TEST(UserSettings, AValueAlreadyKeptIsNotWrittenAgain)
{
    const QString editor = "VEXO Morvane Editor", section = "General", key = "loadpath";
    ASSERT_TRUE(writeUserSetting(editor, section, key, "/kits/a b.syx"));
    const QDateTime longAgo(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    QFile store(userSettingsFile(editor));
    ASSERT_TRUE(store.open(QIODevice::ReadWrite) && store.setFileTime(longAgo, QFileDevice::FileModificationTime));
    store.close();
    for (const QString value : {"/kits/a b.syx", "/kits/c.syx"}) {
        EXPECT_TRUE(writeUserSetting(editor, section, key, value));
        EXPECT_EQ(QFileInfo(store).lastModified() == longAgo, value == "/kits/a b.syx") << value.toStdString();
        EXPECT_EQ(readUserSetting(editor, section, key, {}), value);
    }
}
