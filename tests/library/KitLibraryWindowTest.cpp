// The library window over the real main and batch windows, wired as the
// program wires them, on a library file in a temporary folder and loopback MIDI.
#include "WindowWiring.h"
#include "batch/widgets/BatchWindow.h"
#include "editor/widgets/MainWindow.h"
#include "library/EditorLibrary.h"
#include "library/widgets/KitLibraryWindow.h"
#include "midi/EditorMidi.h"
#include "support/KitFiles.h"
#include "support/LoopbackMidiDevices.h"
#include "support/ScriptedDesktop.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

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

}  // namespace

TEST(KitLibraryWindowTest, ImportedKitsAreFoundByAPadOpenedAsTheEditorsKitListedForABatchAndSent)
{
    TempFolder tree;
    const KitDump alpha = kit("ALPHA", 38);
    const auto alphaFile = QString::fromStdString(tree.file("kits/alpha.syx", alpha));
    tree.file("kits/more/beta.syx", kit("BETA", 50));
    tree.file("kits/notes.syx");
    ScriptedDesktop desktop;
    LoopbackMidiDevices devices{{"Pad In"}, {"Pad Out"}};
    EditorLibrary library(desktop, QString::fromStdString(tree.path("library.sqlite")));
    MainWindow main(desktop, devices, library);
    BatchWindow batch(desktop, devices, library);
    LibraryHostWindows host(main, batch);
    KitLibraryWindow window(desktop, library, host);
    attachLibraryWindow(main, window);
    attachLibrary(main, library);
    library.startUp();
    main.start();
    main.menu().fileKitLibrary->trigger();
    ASSERT_TRUE(window.isVisible());
    auto* kits = window.findChild<QTableWidget*>("KitTable");
    const auto click = [&](const char* name) { QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton); };

    desktop.folderChoices = {QString::fromStdString(tree.path("kits"))};
    click("ImportFolderBtn");
    ASSERT_TRUE(soon([&] { return !desktop.messages.empty() && kits->rowCount() == 2; }));
    EXPECT_EQ(desktop.messages[0].text,
              "Imported from \"" + QString::fromStdString(tree.path("kits")) +
                  "\": 2 kits added, 0 already known, 1 file not a kit.");

    QTest::keyClicks(window.findChild<QLineEdit*>("SearchText"), "note:38");
    ASSERT_TRUE(soon([&] { return kits->rowCount() == 1; }));
    EXPECT_EQ(kits->item(0, 0)->text(), "ALPHA");
    kits->selectRow(0);
    ASSERT_TRUE(soon([&] { return window.findChild<QToolButton*>("OpenBtn")->isEnabled(); }));

    click("OpenBtn");
    EXPECT_EQ(main.kit().kitDump(), alpha);
    EXPECT_TRUE(main.windowTitle().endsWith("(alpha.syx)")) << main.windowTitle().toStdString();
    click("AddToBatchBtn");
    EXPECT_EQ(batch.findChild<QListWidget*>("SysexList")->item(0)->text(), alphaFile);

    main.midi().ports().mnuMIDI_outputs_Click(0);
    click("SendBtn");
    EXPECT_EQ(devices.sent, std::vector<KitDump>{alpha});
    EXPECT_TRUE(soon([&] { return kits->item(0, 6)->data(Qt::DisplayRole) == 1; }));
    EXPECT_EQ(desktop.messages.size(), 2u);  // the summary and the question before the send
}
