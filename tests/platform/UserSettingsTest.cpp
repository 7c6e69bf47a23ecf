#include "platform/UserSettings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

using namespace morvane;

TEST(UserSettings, ValuesAreKeptPerApplicationInTheUsersConfigFolder)
{
    const QString editor = "VEXO Morvane Editor", midi = "Morvane Editor", section = "General", key = "loadpath";
    writeUserSetting(editor, section, key, "/kits/a b.syx");
    EXPECT_EQ(readUserSetting(editor, section, key, {}), "/kits/a b.syx");
    EXPECT_EQ(readUserSetting(midi, section, key, "-1"), "-1");
#ifdef Q_OS_LINUX
    EXPECT_TRUE(QFile::exists(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(editor + ".conf")));
#endif

    // A value already kept is not written again; a new one is.
    const QDateTime longAgo(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    QFile store(userSettingsFile(editor));
    ASSERT_TRUE(store.open(QIODevice::ReadWrite) && store.setFileTime(longAgo, QFileDevice::FileModificationTime));
    store.close();
    for (const QString value : {"/kits/a b.syx", "/kits/c.syx"}) {
        EXPECT_TRUE(writeUserSetting(editor, section, key, value));
        EXPECT_EQ(QFileInfo(store).lastModified() == longAgo, value == "/kits/a b.syx") << value.toStdString();
    }
}
