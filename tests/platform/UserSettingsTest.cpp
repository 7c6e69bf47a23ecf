#include "platform/UserSettings.h"

#include <QDir>
#include <QFile>
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
}
