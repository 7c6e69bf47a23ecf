#include "editor/EditorTexts.h"
#include "editor/KitDocument.h"
#include "editor/KitEdits.h"
#include "editor/KitView.h"
#include "platform/UserSettings.h"
#include "platform/WindowShell.h"
#include "support/KitFiles.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

// Records what the document asks of its window, in order, with the boxes
// shown in between.
class KitDocumentTest : public ::testing::Test, KitView, WindowShell, KitEdits {
protected:
    void SetUp() override
    {
        writeUserSetting(texts::SettingsApplication, texts::SettingsSection, texts::LoadPathKey, {});
        desktop.whileMessageShown = [this](const ShownMessage& m) { calls << "asked: " + m.text; };
    }
    void Status_Update(const QString& text) override { calls << text; }
    void commitPendingPadEdit() override {}
    void Display_Caption() override { calls << "caption"; }
    void Fill_Print_Header() override { calls << "header"; }
    void showDecodedKit() override { calls << "shown"; }
    void showRecentKits(const QStringList&) override {}
    bool valueBeingTyped() const override { return false; }
    void kitReplaced() override {}
    void stepTaken(const KitFields&, const KitFields&, const QString&) override {}
    // The one box since the last check started with `said` (or, after a '*', held it), and it
    // was all the window heard of but for a failed open or save, which the status line says first.
    void expectRefused(const QString& said)
    {
        ASSERT_EQ(desktop.messages.size(), 1U);
        const auto m = desktop.messages[0];
        EXPECT_TRUE(said[0] == '*' ? m.text.contains(said.mid(1)) : m.text.startsWith(said)) << m.text.toStdString();
        EXPECT_EQ(m.style, MessageStyle::Plain);
        const QStringList status = said == texts::NothingToSave ? QStringList() : QStringList{m.text};
        EXPECT_EQ(calls, status + QStringList{"asked: " + m.text});
        desktop.messages.clear();
        calls.clear();
    }

    QStringList calls;
    ScriptedDesktop desktop;
    UserSettings settings;
    RecordingKitHistory history;
    KitDocument kit{desktop, settings, *this, *this, *this, history};
    KitFolder files;
};

}  // namespace

TEST_F(KitDocumentTest, RefusedOpensAndSavesAreToldPlainlyAndChangeNeitherTheKitNorItsFile)
{
    kit.mnuFile_Save_Click();
    expectRefused(texts::NothingToSave);
    EXPECT_TRUE(desktop.saveRequests.empty());

    const QString file = files.write("rock1.syx", makeKitDump());
    ASSERT_TRUE(kit.Open_Sysex_File(file));
    calls.clear();
    KitDump damaged = makeKitDump();
    damaged[offsets::padNote(3)] = 16;  // a value half above 15
    desktop.openChoices = {files.write("damaged.syx", damaged)};
    kit.mnuFile_Open_Click();
    expectRefused("Cannot open \"" + files.path("damaged.syx"));

    QFile::setPermissions(file, QFileDevice::ReadOwner);
    kit.fields().PadMNN[0] = 1;
    kit.mnuFile_Save_Click();
    expectRefused("*read-only");
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    desktop.saveChoices = {files.path("no-such-folder/x.syx")};
    kit.mnuFile_SaveAs_Click();
    expectRefused("Cannot save");
    kit.fields().PadTCH[2] = 0;  // a value the dump cannot hold
    kit.mnuFile_Save_Click();
    expectRefused("*pad 3");

    EXPECT_EQ(kit.CurrentSysexFile(), file);
    EXPECT_EQ(files.read("rock1.syx"), makeKitDump());
    EXPECT_EQ(history.told.size(), 1U);  // the one open that succeeded
}

TEST_F(KitDocumentTest, SaveWritesEditsIntoItsFileKeepingTheOtherBytesAndSaveAsMovesToTheNewFile)
{
    KitDump longer = makeKitDump();
    longer.resize(1000, 0x55);
    ASSERT_TRUE(kit.Open_Sysex_File(files.write("long.syx", longer)));
    kit.fields().PadMNN[0] = 99;
    EXPECT_TRUE(kit.hasUnsavedChanges());
    kit.mnuFile_Save_Click();
    EXPECT_FALSE(kit.hasUnsavedChanges());
    EXPECT_TRUE(desktop.saveRequests.empty());
    writeNibblePair(longer, offsets::padNote(0), 99);
    EXPECT_EQ(files.read("long.syx"), longer);

    desktop.saveChoices = {files.path("copy.syx")};
    kit.mnuFile_SaveAs_Click();
    ASSERT_EQ(desktop.saveRequests.size(), 1U);
    EXPECT_EQ(files.read("copy.syx"), longer);
    EXPECT_EQ(kit.CurrentSysexFile(), files.path("copy.syx"));
    EXPECT_EQ(calls.mid(2), (QStringList{texts::SavedStatus, "caption", texts::SavedStatus}));
    EXPECT_TRUE(readUserSetting(texts::SettingsApplication, texts::SettingsSection, texts::LoadPathKey, {}).isEmpty());
    EXPECT_TRUE(desktop.messages.empty());

    // A kit received over MIDI has no file: Save asks for one.
    ASSERT_TRUE(kit.Interpret_Buffer(makeKitDump()));
    EXPECT_EQ(kit.shortFileName(), "file not saved");
    kit.mnuFile_Save_Click();
    EXPECT_EQ(desktop.saveRequests.size(), 2U);
}

// Pad by pad, note before channel; the highest values are no question.
TEST_F(KitDocumentTest, BadPadValuesAreAskedAboutAfterTheLoadIsToldAndBeforeTheKitIsShownUntilTheUserSaysNo)
{
    KitSpec spec;
    spec.notes[0] = 128;
    spec.channels[1] = 16;
    spec.notes[2] = 129;    // pad 3
    spec.channels[2] = 17;
    spec.channels[6] = 128;  // pad 7
    spec.notes[9] = 200;    // pad 10, not asked about after the No
    const KitDump bad = makeKitDump(spec);
    desktop.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::No};
    ASSERT_TRUE(kit.Open_Sysex_File(files.write("bad.syx", bad)));
    const QString asked("asked: %1 for Pad %2 is %3. Valid %1s are between %4. Do you wish to continue to be alerted of these errors?");
    EXPECT_EQ(calls, (QStringList{texts::LoadedStatus, asked.arg("Midi Note Number", "3", "129", "0 and 128"),
                                       asked.arg("Transmit Channel", "3", "17", "1 and 16"),
                                       asked.arg("Transmit Channel", "7", "128", "1 and 16"), "shown"}));
    EXPECT_EQ(desktop.messages[1].style, MessageStyle::YesNo);
    EXPECT_EQ(kit.fields().PadMNN[2], 129);

    calls.clear();
    ASSERT_TRUE(kit.Interpret_Buffer(bad));
    EXPECT_EQ(calls, QStringList{"shown"});
}
