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

// Every attribute value in an XML file; none when it does not parse.
QStringList attributeValues(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    QStringList values;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement)
            for (const auto& attribute : xml.attributes()) values << attribute.value().toString();
    return xml.hasError() ? QStringList{} : values;
}

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
    QSvgRenderer icon(installed("share/icons/hicolor/scalable/apps/morvane-editor.svg"));
    EXPECT_TRUE(icon.isValid());
    EXPECT_TRUE(QFileInfo::exists(installed("share/morvane-editor/examples/demo-kit.syx")));
    EXPECT_TRUE(QFileInfo::exists(installed("share/doc/morvane-editor/README.md")));

    const QString entry = installed("share/applications/morvane-editor.desktop");
    QSettings desktopEntry(entry, QSettings::IniFormat);
    desktopEntry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(desktopEntry.value(QStringLiteral("Exec")).toString(), QStringLiteral("morvane-editor %f"));
    EXPECT_EQ(desktopEntry.value(QStringLiteral("Icon")).toString(), QStringLiteral("morvane-editor"));
    const QStringList mime = attributeValues(installed("share/mime/packages/morvane-sysex.xml"));
    EXPECT_TRUE(mime.contains(QStringLiteral("audio/x-midi-sysex")) && mime.contains(QStringLiteral("*.syx")));
    EXPECT_TRUE(desktopEntry.value(QStringLiteral("MimeType")).toString().contains(QStringLiteral("audio/x-midi-sysex")));

    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
        if (qEnvironmentVariableIsSet("CI")) FAIL() << "desktop-file-validate is missing";
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    const auto validation = runTool("desktop-file-validate", {entry.toStdString()});
    EXPECT_EQ(validation.exitCode, 0) << validation.out << validation.err;
}

}  // namespace
