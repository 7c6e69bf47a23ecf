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

class InstalledTree : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = new QTemporaryDir;
        const auto install = runTool("cmake", {"--install", MORVANE_BINARY_DIR, "--prefix", prefix_->path().toStdString()});
        ASSERT_EQ(install.exitCode, 0) << install.err;
    }
    static void TearDownTestSuite()
    {
        delete prefix_;
        prefix_ = nullptr;
    }

    static QString installed(const QString& relative) { return prefix_->filePath(relative); }

    static void requireTool(const char* tool)
    {
        if (!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return;
        if (qEnvironmentVariableIsSet("CI")) FAIL() << tool << " is missing";
        GTEST_SKIP() << tool << " is not installed";
    }

private:
    static QTemporaryDir* prefix_;
};

QTemporaryDir* InstalledTree::prefix_ = nullptr;

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

}  // namespace

TEST_F(InstalledTree, ProgramsRunAndTellTheirVersion)
{
    for (const char* program : {"morvane-editor", "morvane-kit", "morvane-sim"}) {
        const auto run = runTool(installed(QStringLiteral("bin/") + program).toStdString(), {"--version"});
        EXPECT_EQ(run.exitCode, 0) << program << ": " << run.err;
        EXPECT_EQ(run.out, std::string(program) + " 1.03\n");
    }
}

TEST_F(InstalledTree, MenuEntryIsValidAndOpensSyxFiles)
{
    const QString entry = installed(QStringLiteral("share/applications/morvane-editor.desktop"));
    ASSERT_TRUE(QFileInfo::exists(entry));
    QSettings desktopEntry(entry, QSettings::IniFormat);
    desktopEntry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(desktopEntry.value(QStringLiteral("Exec")).toString(), QStringLiteral("morvane-editor %f"));
    EXPECT_EQ(desktopEntry.value(QStringLiteral("Icon")).toString(), QStringLiteral("morvane-editor"));

    const QStringList mime = attributeValues(installed(QStringLiteral("share/mime/packages/morvane-sysex.xml")));
    EXPECT_TRUE(mime.contains(QStringLiteral("audio/x-midi-sysex"))) << mime.join(' ').toStdString();
    EXPECT_TRUE(mime.contains(QStringLiteral("*.syx")));
    EXPECT_TRUE(desktopEntry.value(QStringLiteral("MimeType")).toString().contains(QStringLiteral("audio/x-midi-sysex")));

    requireTool("desktop-file-validate");
    const auto validation = runTool("desktop-file-validate", {entry.toStdString()});
    EXPECT_EQ(validation.exitCode, 0) << validation.out << validation.err;
}

TEST_F(InstalledTree, IconAndManualPagesAreInPlace)
{
    QSvgRenderer icon(installed(QStringLiteral("share/icons/hicolor/scalable/apps/morvane-editor.svg")));
    EXPECT_TRUE(icon.isValid());
    for (const char* page : {"morvane-editor.1", "morvane-kit.1", "morvane-sim.1"})
        EXPECT_TRUE(QFileInfo::exists(installed(QStringLiteral("share/man/man1/") + page))) << page;
    EXPECT_TRUE(QFileInfo::exists(installed(QStringLiteral("share/morvane-editor/examples/demo-kit.syx"))));
    EXPECT_TRUE(QFileInfo::exists(installed(QStringLiteral("share/doc/morvane-editor/README.md"))));
}
