// The library window over the real main and batch windows, wired as the
// program wires them, on a library file in a temporary folder and loopback MIDI.
#include "WindowWiring.h"
#include "batch/widgets/BatchWindow.h"
#include "editor/widgets/MainWindow.h"
#include "library/EditorLibrary.h"
#include "library/KitListModel.h"
#include "library/widgets/KitLibraryWindow.h"
#include "platform/UserSettings.h"
#include "support/KitFiles.h"
#include "support/LoopbackMidiDevices.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace morvane;
using namespace morvane::library;
using namespace morvane::testing;

namespace {

KitDump kit(const std::string& title, int thirdNote)
{
    KitSpec spec;
    spec.name = (title + std::string(KitNameLength, ' ')).substr(0, KitNameLength);
    spec.notes[2] = thirdNote;
    return makeKitDump(spec);
}

bool soon(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }

// The windows wired as main wires them, the library window shown, and two
// kits imported from a tree: ALPHA (pad 3 on note 38) and BETA (note 50).
struct LibraryWindows : ::testing::Test {
    TempFolder tree;
    const KitDump alpha = kit("ALPHA", 38);
    const KitDump beta = kit("BETA", 50);
    const QString alphaFile = QString::fromStdString(tree.file("kits/alpha.syx", alpha));
    const QString betaFile = QString::fromStdString(tree.file("kits/more/beta.syx", beta));
    ScriptedDesktop desktop;
    UserSettings settings;
    LoopbackMidiDevices devices{{"Pad In"}, {"Pad Out"}};
    EditorLibrary library{settings, QString::fromStdString(tree.path("library.sqlite"))};
    MainWindow main{desktop, settings, devices, library};
    OnDemandWindows windows{main, desktop, [this]() -> MidiDevices& { return devices; }, library, library};
    BatchWindow& batch = windows.batch();
    KitLibraryWindow& window = windows.libraryWindow();
    QTableView* kits = nullptr;

    void SetUp() override
    {
        tree.file("kits/notes.syx");
        attachLibrary(main, library);
        library.startUp();
        main.start();
        main.findChild<QAction*>("MnuFile_KitLibrary")->trigger();
        ASSERT_TRUE(window.isVisible());  // at once, while the library opens beside it
        EXPECT_EQ(window.findChild<QLabel*>("LibraryStatus")->text(), "Opening the kit library...");
        kits = window.findChild<QTableView*>("KitTable");
        desktop.folderChoices = {QString::fromStdString(tree.path("kits"))};
        click("ImportFolderBtn");
        ASSERT_TRUE(soon([&] { return !desktop.messages.empty() && listed() == 2; }));
    }

    int listed() const { return kits->model()->rowCount(); }
    QString cell(int row, KitColumn column) const
    {
        return kits->model()->index(row, static_cast<int>(column)).data().toString();
    }
    void type(const QString& search)
    {
        auto* text = window.findChild<QLineEdit*>("SearchText");
        text->clear();
        QTest::keyClicks(text, search);
    }

    void click(const char* name) { QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton); }

    // Types the search and selects its one kit once the window knows it.
    void choose(const QString& search)
    {
        type(search);
        ASSERT_TRUE(soon([&] { return listed() == 1; }));
        kits->selectRow(0);
        ASSERT_TRUE(soon([&] { return window.findChild<QToolButton*>("OpenBtn")->isEnabled(); }));
    }

    void openInEditor(const QString& file)
    {
        desktop.openChoices = {file};
        main.findChild<QAction*>("MnuFile_Open")->trigger();
    }

    QString lastMessage() const { return desktop.messages.back().text; }
    QStringList lines(const QListWidget* list) const
    {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
        return texts;
    }
    QStringList history() const { return lines(window.findChild<QListWidget*>("HistoryList")); }
};

}  // namespace

TEST_F(LibraryWindows, ImportedKitsAreFoundByAPadOpenedAsTheEditorsKitListedForABatchAndSent)
{
    EXPECT_EQ(desktop.messages[0].text,
              "Imported from \"" + QString::fromStdString(tree.path("kits")) +
                  "\": 2 kits added, 0 already known, 1 file not a kit.");

    choose("note:38");
    EXPECT_EQ(cell(0, KitColumn::Title), "ALPHA");

    click("OpenBtn");
    EXPECT_EQ(main.currentKit().value().dump, alpha);
    EXPECT_TRUE(main.windowTitle().endsWith("(alpha.syx)")) << main.windowTitle().toStdString();
    // The open is an open: kept in the kit's history and on Open Recent.
    EXPECT_EQ(main.findChild<QAction*>("MnuFile_Recent_0")->data().toString(), alphaFile);
    EXPECT_TRUE(soon([&] { return history().size() == 2 && history()[1].endsWith("opened from " + alphaFile); }));
    click("ShowInFolderBtn");
    EXPECT_EQ(desktop.openedUrls, std::vector{QUrl::fromLocalFile(QFileInfo(alphaFile).absolutePath())});
    click("AddToBatchBtn");
    EXPECT_EQ(batch.findChild<QListWidget*>("SysexList")->item(0)->text(), alphaFile);
    EXPECT_EQ(batch.findChild<QTreeWidget*>("Dir1")->topLevelItemCount(), 0);  // no folder listed while hidden

    main.findChild<QAction*>("mnuMIDI_outputs_0")->trigger();
    click("SendBtn");
    EXPECT_EQ(devices.sent, std::vector<KitDump>{alpha});
    EXPECT_TRUE(soon([&] { return cell(0, KitColumn::TimesSent) == "1"; }));
    EXPECT_EQ(desktop.messages.size(), 2u);  // the summary and the question before the send

    // A kit that comes in over MIDI is kept as received.
    main.findChild<QAction*>("mnuMIDI_inputs_0")->trigger();
    main.findChild<QAction*>("MnuSysex_ReceiveSysex")->trigger();
    devices.playSysex(beta);
    ASSERT_TRUE(soon([&] { return main.currentKit() && main.currentKit().value().dump == beta; }));
    type("BETA");
    EXPECT_TRUE(soon([&] { return cell(0, KitColumn::Title) == "BETA" && cell(0, KitColumn::LastEvent) == "received"; }));
}

TEST_F(LibraryWindows, AStarClickedAndANoteAndTagsSavedAreListedAndFoundWhileTheKitFileStaysAsItWas)
{
    choose("ALPHA");
    const auto starCell = kits->model()->index(0, static_cast<int>(KitColumn::Favourite));
    QTest::mouseClick(kits->viewport(), Qt::LeftButton, {}, kits->visualRect(starCell).center());
    EXPECT_TRUE(soon([&] { return cell(0, KitColumn::Favourite) == FavouriteMark; }));
    EXPECT_TRUE(soon([&] { return window.findChild<QAction*>("FavouriteAction")->isChecked(); }));
    window.findChild<QPlainTextEdit*>("NoteText")->setPlainText("For the gig");
    QTest::keyClicks(window.findChild<QLineEdit*>("TagsText"), "Live, rock");
    click("SaveNoteBtn");
    auto* status = window.findChild<QLabel*>("LibraryStatus");
    EXPECT_TRUE(soon([&] { return status->text() == "The note and tags of \"ALPHA\" were saved."; }));
    EXPECT_TRUE(soon([&] { return window.findChild<QLineEdit*>("TagsText")->text() == "live rock"; }));

    choose("fav text:GIG tag:rock");
    EXPECT_EQ(cell(0, KitColumn::Title), "ALPHA");
    click("FavouriteBtn");
    EXPECT_TRUE(soon([&] { return listed() == 0; }));
    EXPECT_EQ(status->text(), "\"ALPHA\" is no longer a favourite.");
    EXPECT_EQ(readBytes(alphaFile.toStdString()), alpha);
}

TEST_F(LibraryWindows, CompareExportAndDeleteLeaveEveryKitFileAsItWasAndTheSwitchStopsRecording)
{
    choose("BETA");
    click("CompareBtn");
    EXPECT_TRUE(lastMessage().startsWith("There is no current kit to compare with.")) << lastMessage().toStdString();
    openInEditor(alphaFile);
    click("CompareBtn");
    auto* comparison = window.findChild<QDialog*>("KitComparison")->findChild<QTableWidget*>();
    ASSERT_EQ(comparison->rowCount(), 2);
    EXPECT_EQ(comparison->item(0, 0)->text(), "Title");
    EXPECT_EQ(comparison->item(1, 0)->text() + ": " + comparison->item(1, 1)->text() + " -> " +
                  comparison->item(1, 2)->text(),
              "Pad 3 note: 38 -> 50");

    // Export writes the library's bytes; a pipe is refused and said so.
    const std::string exported = tree.path("exported.syx");
    const std::string pipe = tree.path("pipe.syx");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    desktop.saveChoices = {QString::fromStdString(pipe), QString::fromStdString(exported)};
    click("ExportBtn");
    EXPECT_TRUE(lastMessage().contains("named pipe")) << lastMessage().toStdString();
    EXPECT_FALSE(window.findChild<QLabel*>("LibraryStatus")->text().contains("saved"));
    click("ExportBtn");
    EXPECT_EQ(readBytes(exported), beta);
    EXPECT_TRUE(soon([&] { return window.findChild<QListWidget*>("HistoryList")->count() == 2; }));

    // No keeps the kit: both are listed again. Yes takes it out.
    auto* search = window.findChild<QLineEdit*>("SearchText");
    desktop.answers = {MessageAnswer::No};
    click("DeleteBtn");
    search->clear();
    ASSERT_TRUE(soon([&] { return listed() == 2; }));
    choose("BETA");
    desktop.answers = {MessageAnswer::Yes};
    click("DeleteBtn");
    ASSERT_TRUE(soon([&] { return listed() == 0; }));
    EXPECT_EQ(readBytes(betaFile.toStdString()), beta);
    EXPECT_EQ(readBytes(exported), beta);

    // Off, a kit the editor opens is not kept; on again, it is.
    window.findChild<QCheckBox*>("KeepHistory")->click();
    openInEditor(QString::fromStdString(exported));
    search->clear();
    EXPECT_TRUE(soon([&] { return listed() == 1; }));
    window.findChild<QCheckBox*>("KeepHistory")->click();
    openInEditor(QString::fromStdString(exported));
    EXPECT_TRUE(soon([&] { return listed() == 2; }));
}

// A burst from the controller: two kits, one of them twice, and a message
// that is no kit. Each kit is kept once with an event per receive, and the
// list is listed once for the burst. Stop ends it.
TEST_F(LibraryWindows, ReceiveKitsKeepsEachKitOnceNamesWhatIsNoKitAndListsTheBurstOnce)
{
    const QString StoppedByANewOpening = "Stopped: the input \"Pad In\" was closed (another input was chosen, F2 "
                                         "opened it anew to receive a kit, or it went away).";
    auto* input = main.findChild<QAction*>("mnuMIDI_inputs_0");
    devices.unopenableInputs = {0};
    input->trigger();
    click("ReceiveKitsBtn");
    EXPECT_TRUE(lastMessage().startsWith("No Midi Input selected.") && lastMessage().contains("cannot open input Pad In"))
        << lastMessage().toStdString();
    EXPECT_EQ(window.findChild<QDialog*>("ReceiveKits"), nullptr);
    devices.unopenableInputs.clear();
    input->trigger();
    click("ReceiveKitsBtn");
    auto* dialog = window.findChild<QDialog*>("ReceiveKits");
    ASSERT_TRUE(dialog && dialog->isVisible());
    auto* received = dialog->findChild<QListWidget*>("ReceivedList");

    const KitDump gamma = kit("GAMMA", 60);
    const KitDump cut(alpha.begin(), alpha.begin() + 100);
    QSignalSpy listings(static_cast<KitListModel*>(kits->model()), &KitListModel::listed);
    int count = 0;
    for (const auto& message : {alpha, gamma, cut, gamma}) {
        devices.playSysex(message);
        ASSERT_TRUE(soon([&] { return received->count() == count + 1; }));
        ++count;
    }
    const QString gammaLine = " \"GAMMA\"";
    const QStringList shown = lines(received);
    EXPECT_TRUE(shown[0].startsWith("already known ") && shown[0].endsWith(" \"ALPHA\"")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].startsWith("new kit       ") && shown[1].endsWith(gammaLine)) << shown[1].toStdString();
    EXPECT_EQ(shown[2], "not a kit     The kit dump is too short (100 bytes); a kit dump has 746 bytes.");
    EXPECT_EQ(shown[3], "already known" + shown[1].mid(13));
    EXPECT_EQ(dialog->findChild<QLabel*>("ReceiveCount")->text(),
              "3 kits recorded (1 new, 2 already known); 1 message not a kit.");
    ASSERT_TRUE(soon([&] { return listed() == 3; }));
    QTest::qWait(300);
    EXPECT_EQ(listings.count(), 1);
    // The editor's own receive opens the input anew, which ends this one:
    // the kit it takes is recorded once.
    main.findChild<QAction*>("MnuSysex_ReceiveSysex")->trigger();
    devices.playSysex(gamma);
    ASSERT_TRUE(soon([&] { return main.currentKit() && main.currentKit().value().dump == gamma; }));
    EXPECT_EQ(dialog->findChild<QLabel*>("ReceiveListening")->text(), StoppedByANewOpening);
    EXPECT_EQ(received->count(), 4);

    // A kit that was never in a file opens as the editor's kit and has no folder to show.
    choose("GAMMA");
    EXPECT_EQ(history().filter("received from Pad In").size(), 3);
    click("OpenBtn");
    EXPECT_TRUE(soon([&] { return history().size() == 4 && history()[3].endsWith("  opened"); }));
    click("ShowInFolderBtn");
    EXPECT_EQ(lastMessage(), "The kit \"GAMMA\" was never in a file the library knows of.");
    EXPECT_TRUE(desktop.openedUrls.empty());

    // An input chosen anew in the main window ends a receive, rather than
    // letting its kits be recorded under the name the receive began with.
    click("ReceiveKitsBtn");
    dialog = window.findChild<QDialog*>("ReceiveKits");
    input->trigger();
    ASSERT_TRUE(soon([&] { return !dialog->findChild<QPushButton*>("StopReceiveBtn")->isEnabled(); }));
    EXPECT_EQ(dialog->findChild<QLabel*>("ReceiveListening")->text(), StoppedByANewOpening);
    devices.playSysex(beta);
    QTest::qWait(100);
    EXPECT_EQ(dialog->findChild<QListWidget*>("ReceivedList")->count(), 0);
}

// The window lists a page, however many kits a search finds (the same count
// as before included), and fetches the next only when scrolled to the end.
TEST_F(LibraryWindows, TheListHoldsOnePageWhateverTheSearchFindsAndFetchesMoreWhenScrolled)
{
    bool stored = false;
    library.ask(
        &window,
        [](KitStore& store) {
            std::vector<Recording> many;
            for (int n = 0; n < 3000; ++n)
                many.push_back({LibraryKit::of(kit("K" + std::to_string(n), 60)).value(), {EventKind::Imported, "/k"}});
            return store.record(many);
        },
        [&](const auto& recorded) { stored = bool(recorded); });
    ASSERT_TRUE(soon([&] { return stored; }));
    QSignalSpy firstPages(static_cast<KitListModel*>(kits->model()), &KitListModel::listed);
    for (const char* search : {"k", "K", "note:60"}) {
        type(search);
        ASSERT_TRUE(soon([&] { return firstPages.count() == 1; })) << search;
        firstPages.clear();
        QTest::qWait(50);
        EXPECT_EQ(listed(), KitListModel::PageSize) << search;
    }
    kits->verticalScrollBar()->setValue(kits->verticalScrollBar()->maximum());
    EXPECT_TRUE(soon([&] { return listed() == 2 * KitListModel::PageSize; }));
}

// What the editor tells before the library has started up waits for it, in order.
TEST(StartUpKitHistory, WhatIsToldBeforeTheReleaseIsPassedOnThenInOrder)
{
    RecordingKitHistory library;
    StartUpKitHistory history(library);
    const KitDump early = kit("EARLY", 40), late = kit("LATE", 41);
    history.kitOpened(early, "early.syx");
    EXPECT_TRUE(library.told.empty());
    history.release();
    history.kitSent(late, "Pad Out");
    EXPECT_EQ(library.told, (std::vector<ToldKit>{{"opened", "early.syx", early}, {"sent", "Pad Out", late}}));
}

// Select All stands for every kit the search finds, though the list holds one page of them.
TEST_F(LibraryWindows, SeveralKitsAreComparedBatchedExportedAndDeletedTogether)
{
    kits->selectRow(0);
    ASSERT_TRUE(soon([&] { return !history().isEmpty(); }));
    kits->selectAll();
    EXPECT_TRUE(history().isEmpty());  // two kits have no one history, note or tags
    EXPECT_FALSE(window.findChild<QPushButton*>("SaveNoteBtn")->isEnabled());
    auto* compare = window.findChild<QToolButton*>("CompareBtn");
    EXPECT_EQ(compare->text(), "Compare the Two Kits");
    compare->click();
    ASSERT_TRUE(soon([&] { return window.findChild<QDialog*>("KitComparison") != nullptr; }));
    auto* comparison = window.findChild<QDialog*>("KitComparison")->findChild<QTableWidget*>();
    EXPECT_EQ(comparison->horizontalHeaderItem(1)->text(), '"' + cell(0, KitColumn::Title) + '"');
    EXPECT_EQ(comparison->item(1, 1)->text() + comparison->item(1, 2)->text(),
              cell(0, KitColumn::Title) == "ALPHA" ? "3850" : "5038");
    click("AddToBatchBtn");
    EXPECT_TRUE(soon([&] { return batch.findChild<QListWidget*>("SysexList")->count() == 2; }));

    bool stored = false;
    library.ask(
        &window,
        [](KitStore& store) {
            std::vector<Recording> many;
            for (int n = 1; n <= 150; ++n)
                many.push_back({LibraryKit::of(kit("Dup/Kit", n)).value(), {EventKind::Imported, "/k"}});
            return store.record(many);
        },
        [&](const auto& recorded) { stored = bool(recorded); });
    ASSERT_TRUE(soon([&] { return stored; }));
    type("-");
    type("");
    ASSERT_TRUE(soon([&] { return listed() == KitListModel::PageSize; }));
    const std::string out = tree.path("out");
    tree.file("out/ALPHA.syx", {0xF0, 0xF7});
    QTest::keyClick(kits, Qt::Key_A, Qt::ControlModifier);
    desktop.folderChoices = {QString::fromStdString(out)};
    desktop.answers = {MessageAnswer::No};
    QSignalSpy listings(static_cast<KitListModel*>(kits->model()), &KitListModel::listed);
    click("ExportBtn");
    auto* status = window.findChild<QLabel*>("LibraryStatus");
    ASSERT_TRUE(soon([&] { return status->text().contains("exported"); }));
    EXPECT_EQ(status->text().toStdString(), "151 kits exported to \"" + out + "\". 1 kit skipped: its file exists.");
    EXPECT_EQ(desktop.messages.back().style, MessageStyle::ReplaceSkipCancel);
    EXPECT_TRUE(lastMessage().startsWith("1 of the 152 files to export exist already in")) << lastMessage().toStdString();
    EXPECT_EQ(readBytes(out + "/ALPHA.syx"), (KitDump{0xF0, 0xF7}));
    EXPECT_EQ(readBytes(out + "/Dup_Kit (150).syx"), kit("Dup/Kit", 1));  // the oldest, listed last

    ASSERT_TRUE(soon([&] { return listings.count() == 1; }));  // the export's files are listed
    QTest::keyClick(kits, Qt::Key_A, Qt::ControlModifier);
    // A click picks one row: no longer every kit.
    QTest::mouseClick(kits->viewport(), Qt::LeftButton, {}, kits->visualRect(kits->model()->index(1, 0)).center());
    EXPECT_TRUE(soon([&] { return window.findChild<QToolButton*>("OpenBtn")->isEnabled(); }));
    QTest::keyClick(kits, Qt::Key_A, Qt::ControlModifier);
    desktop.answers = {MessageAnswer::Yes};
    click("DeleteBtn");
    ASSERT_TRUE(soon([&] { return listed() == 0; }));
    EXPECT_EQ(lastMessage(), "Delete the 152 chosen kits and their histories from the library? No file is deleted.");
    EXPECT_EQ(status->text(), "152 kits were deleted from the library.");
}
