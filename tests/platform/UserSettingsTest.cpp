#include "platform/UserSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

using namespace morvane;

TEST(UserSettings, ValuesAreKeptPerApplicationInTheUsersConfigFolder)
{
    const QString editor = QStringLiteral("VEXO Morvane Editor");
    const QString midi = QStringLiteral("Morvane Editor");
    writeUserSetting(editor, QStringLiteral("General"), QStringLiteral("loadpath"), QStringLiteral("/kits/a b.syx"));
    writeUserSetting(midi, QStringLiteral("MIDI"), QStringLiteral("Input Index"), QStringLiteral("2"));

    EXPECT_EQ(readUserSetting(editor, QStringLiteral("General"), QStringLiteral("loadpath"), {}),
              QStringLiteral("/kits/a b.syx"));
    EXPECT_EQ(readUserSetting(midi, QStringLiteral("General"), QStringLiteral("loadpath"), QStringLiteral("-1")),
              QStringLiteral("-1"));
    EXPECT_EQ(readUserSetting(midi, QStringLiteral("MIDI"), QStringLiteral("Input Index"), {}), QStringLiteral("2"));
#ifdef Q_OS_LINUX
    const QDir configHome(qEnvironmentVariable("XDG_CONFIG_HOME"));
    EXPECT_TRUE(QFile::exists(configHome.filePath(QStringLiteral("VEXO Morvane Editor.conf"))));
#endif
}
