#include "WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>

using namespace morvane;
using namespace morvane::testing;

namespace {

class FileCommands : public WindowTest {
protected:
    void trigger(const char* item) { window->menuAction(QString::fromLatin1(item))->trigger(); }

    void openThroughMenu(const QString& path)
    {
        desktop.openChoices.push_back(path);
        trigger("MnuFile_Open");
    }

    KitDump secondKit() const
    {
        KitSpec spec;
        spec.name = "JAZZ BRUSHES";
        spec.kitNumber = 9;
        return makeKitDump(spec);
    }
};

}  // namespace

TEST_F(FileCommands, OpenLoadsTheChosenFileAndRemembersIt)
{
    start();
    const QString path = kits.write(QStringLiteral("jazz.syx"), secondKit());
    openThroughMenu(path);

    ASSERT_EQ(desktop.openRequests.size(), 1U);
    EXPECT_EQ(desktop.openRequests[0].filter, QStringLiteral("Sysex Files (*.syx)"));
    EXPECT_EQ(desktop.openRequests[0].startPath, desktop.programFolder());
    EXPECT_TRUE(desktop.openRequests[0].mustExist);
    EXPECT_EQ(window->kit().kitDump(), secondKit());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VEXO Morvane Editor v1.03 - JAZZ BRUSHES (jazz.syx)"));
    EXPECT_EQ(window->statusText(), QStringLiteral("Successfully loaded file..."));
    EXPECT_EQ(loadPath(), path);
    EXPECT_FALSE(shown(QStringLiteral("No_Kit_Loaded_Frame")));

    openThroughMenu(path);
    EXPECT_EQ(desktop.openRequests[1].startPath, path);
    desktop.openChoices.push_back(std::nullopt);  // a cancelled open changes nothing
    trigger("MnuFile_Open");
    EXPECT_EQ(window->kit().kitDump(), secondKit());
    EXPECT_EQ(loadPath(), path);
    EXPECT_TRUE(desktop.messages.empty());

#ifndef Q_OS_WIN
    // A folder in the settings file's place cannot be written, even by root.
    const QString store = userSettingsFile(texts::SettingsApplication);
    ASSERT_TRUE(QFile::remove(store) && QDir().mkpath(store));
    const QString unsaved = "Settings could not be saved in \"" + store + "\"; they will not be remembered next time.";
    for (const QString& said : {unsaved, QStringLiteral("Successfully loaded file...")}) {
        openThroughMenu(path);
        QCoreApplication::processEvents();
        EXPECT_EQ(window->statusText(), said);
    }
    QDir(store).removeRecursively();
#endif
}

TEST_F(FileCommands, RefusedOpenKeepsThePreviousKitAndFile)
{
    startWith(makeKitDump());
    const QString caption = window->windowTitle();
    const QString oldFile = window->kit().CurrentSysexFile();
    window->Status_Update(QStringLiteral("before"));

    KitDump damaged = secondKit();
    damaged[offsets::padNote(3)] = 16;  // a value half above 15
    const QString damagedPath = kits.write(QStringLiteral("damaged.syx"), damaged);
    openThroughMenu(damagedPath);

    ASSERT_EQ(desktop.messages.size(), 1U);
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::Plain);
    EXPECT_TRUE(desktop.messages[0].text.startsWith(QStringLiteral("Cannot open \"") + damagedPath));
    EXPECT_EQ(window->kit().kitDump(), makeKitDump());
    EXPECT_EQ(window->kit().CurrentSysexFile(), oldFile);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(window->statusText(), QStringLiteral("before"));
    EXPECT_EQ(text(QStringLiteral("Print_KitNumberLabel")), QStringLiteral("Kit #: 5"));
}

TEST_F(FileCommands, SaveWritesEditsIntoTheOpenedFileAndKeepsTheRestOfItsBytes)
{
    KitDump longer = makeKitDump();
    longer.resize(1000, 0x55);
    startWith(longer, QStringLiteral("long.syx"));
    window->kit().fields().PadMNN[0] = 99;
    trigger("MnuFile_Save");

    EXPECT_TRUE(desktop.saveRequests.empty());
    EXPECT_EQ(window->statusText(), QStringLiteral("File successfully saved."));
    KitDump expected = longer;
    expected[offsets::padNote(0)] = 99 % 16;
    expected[offsets::padNote(0) + 1] = 99 / 16;
    EXPECT_EQ(kits.read(QStringLiteral("long.syx")), expected);
}

TEST_F(FileCommands, SaveAsNamesTheKitsNewFileButNotTheLoadPath)
{
    const QString original = kits.write(QStringLiteral("rock1.syx"), makeKitDump());
    start();
    openThroughMenu(original);
    const QString copy = kits.path(QStringLiteral("copy.syx"));
    desktop.saveChoices.push_back(copy);
    trigger("MnuFile_SaveAs");

    ASSERT_EQ(desktop.saveRequests.size(), 1U);
    EXPECT_EQ(desktop.saveRequests[0].filter, QStringLiteral("Sysex Files (*.syx)"));
    EXPECT_EQ(kits.read(QStringLiteral("copy.syx")), makeKitDump());
    EXPECT_EQ(window->kit().CurrentSysexFile(), copy);
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("(copy.syx)")));
    EXPECT_EQ(window->statusText(), QStringLiteral("File successfully saved."));
    EXPECT_EQ(loadPath(), original);
}

TEST_F(FileCommands, SavingWithoutAKitIsRefusedPlainlyAndAKitWithoutAFileAsksForOne)
{
    start();
    trigger("MnuFile_Save");
    trigger("MnuFile_SaveAs");
    EXPECT_TRUE(desktop.saveRequests.empty());
    ASSERT_EQ(desktop.messages.size(), 2U);
    EXPECT_EQ(desktop.messages[0].text, texts::NothingToSave);
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::Plain);

    ASSERT_TRUE(window->Interpret_Buffer(makeKitDump()));  // as a MIDI receive hands it over
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("(file not saved)")));
    trigger("MnuFile_Save");
    EXPECT_EQ(desktop.saveRequests.size(), 1U);
    EXPECT_EQ(desktop.messages.size(), 2U);
    EXPECT_TRUE(window->kit().CurrentSysexFile().isEmpty());
}

TEST_F(FileCommands, FailedSavesAreAlwaysReportedAndLeaveTheFileAlone)
{
    const QString path = kits.write(QStringLiteral("locked.syx"), makeKitDump());
    start(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    window->kit().fields().PadMNN[0] = 1;
    trigger("MnuFile_Save");
    desktop.saveChoices.push_back(kits.path(QStringLiteral("no-such-folder/x.syx")));
    trigger("MnuFile_SaveAs");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    ASSERT_EQ(desktop.messages.size(), 2U);
    EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("read-only")));
    EXPECT_TRUE(desktop.messages[1].text.startsWith(QStringLiteral("Cannot save")));
    EXPECT_EQ(window->kit().CurrentSysexFile(), path);
    EXPECT_EQ(window->statusText(), QStringLiteral("Successfully loaded file..."));
    EXPECT_EQ(kits.read(QStringLiteral("locked.syx")), makeKitDump());

    window->kit().fields().PadTCH[2] = 0;  // a field the dump cannot hold
    trigger("MnuFile_Save");
    ASSERT_EQ(desktop.messages.size(), 3U);
    EXPECT_TRUE(desktop.messages[2].text.contains(QStringLiteral("pad 3")));
    EXPECT_EQ(kits.read(QStringLiteral("locked.syx")), makeKitDump());
}

namespace {

// Drags urls onto the window as the desktop's file manager would; true when
// the window accepted the drop.
bool dropOnWindow(QWidget& window, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint centre = window.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

}  // namespace

TEST_F(FileCommands, OneDroppedKitFileOpensAsFileOpenDoesButLeavesLoadpath)
{
    start();
    const QString path = kits.write(QStringLiteral("jazz.syx"), secondKit());
    EXPECT_FALSE(dropOnWindow(*window, {QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
    EXPECT_FALSE(dropOnWindow(*window, {QUrl(QStringLiteral("https://vexo.invalid/kit.syx"))}));
    EXPECT_FALSE(window->kit().kitLoaded());

    EXPECT_TRUE(dropOnWindow(*window, {QUrl::fromLocalFile(path)}));

    EXPECT_EQ(window->kit().kitDump(), secondKit());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VEXO Morvane Editor v1.03 - JAZZ BRUSHES (jazz.syx)"));
    EXPECT_EQ(window->statusText(), QStringLiteral("Successfully loaded file..."));
    EXPECT_FALSE(shown(QStringLiteral("No_Kit_Loaded_Frame")));
    EXPECT_TRUE(loadPath().isEmpty());
    EXPECT_TRUE(desktop.openRequests.empty());
}
