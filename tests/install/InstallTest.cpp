// Installs the build into a temporary prefix, as a package would, and checks
// what a desktop needs from it: programs that run, a valid menu entry, a
// parsable .syx file type, the icon and the manual pages.
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using morvane::testing::runTool;

namespace {

TEST(InstalledTree, HoldsRunningProgramsAValidMenuEntryTheFileTypeIconAndManualPages)
{
    QTemporaryDir prefix;
    const auto install = runTool("cmake", {"--install", MORVANE_BINARY_DIR, "--prefix", prefix.path().toStdString()});
    ASSERT_EQ(install.exitCode, 0) << install.err;
    const auto installed = [&](const char* relative) { return prefix.filePath(QString::fromLatin1(relative)); };

    for (const std::string program : {"morvane-editor", "morvane-kit", "morvane-sim"}) {
        const auto run = runTool(prefix.filePath(QString::fromStdString("bin/" + program)).toStdString(), {"--version"});
        EXPECT_EQ(run.out, program + " 1.03\n") << run.err;
        EXPECT_TRUE(QFileInfo::exists(prefix.filePath(QString::fromStdString("share/man/man1/" + program + ".1"))));
    }
    EXPECT_TRUE(QSvgRenderer(installed("share/icons/hicolor/scalable/apps/morvane-editor.svg")).isValid());
    for (const char* file : {"share/morvane-editor/examples/demo-kit.syx", "share/doc/morvane-editor/README.md"})
        EXPECT_TRUE(QFileInfo::exists(installed(file))) << file;

    const QString entry = installed("share/applications/morvane-editor.desktop");
    QSettings desktopEntry(entry, QSettings::IniFormat);
    desktopEntry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(desktopEntry.value(QStringLiteral("Exec")).toString(), QStringLiteral("morvane-editor %f"));
    EXPECT_EQ(desktopEntry.value(QStringLiteral("Icon")).toString(), QStringLiteral("morvane-editor"));
    QFile mimeFile(installed("share/mime/packages/morvane-sysex.xml"));
    const QByteArray mime = mimeFile.open(QIODevice::ReadOnly) ? mimeFile.readAll() : QByteArray();
    QXmlStreamReader xml(mime);
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(mime.contains("\"audio/x-midi-sysex\"") && mime.contains("\"*.syx\""));
    EXPECT_TRUE(desktopEntry.value(QStringLiteral("MimeType")).toString().contains(QStringLiteral("audio/x-midi-sysex")));

    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
        if (qEnvironmentVariableIsSet("CI")) FAIL() << "desktop-file-validate is missing";
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    const auto validation = runTool("desktop-file-validate", {entry.toStdString()});
    EXPECT_EQ(validation.exitCode, 0) << validation.out << validation.err;
}

}  // namespace
