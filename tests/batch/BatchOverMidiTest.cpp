// The batch window opened from the real main window with F3, sending a
// folder tree of kits through the real RtMidi devices and a JACK server to
// morvane-sim, which saves every message it receives.
#include "WindowWiring.h"
#include "batch/BatchWindow.h"
#include "editor/MainWindow.h"
#include "kit/KitFile.h"
#include "midi/MidiSettings.h"
#include "midi/RtMidiDevices.h"

#include "support/TempFolder.h"
#include "support/KitFiles.h"
#include "support/MidiPeers.h"
#include "support/ScriptedDesktop.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

namespace morvane {
namespace {

using testing::ScriptedDesktop;
using testing::SimulatedController;
using testing::TempFolder;

class BatchOverMidi : public ::testing::Test {
protected:
    void SetUp() override
    {
        MORVANE_REQUIRE_JACK();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, midisettings::Application).clear();
        ASSERT_TRUE(sim.ready());
        window = std::make_unique<MainWindow>(desktop, devices);
        batch = std::make_unique<BatchWindow>(desktop, devices);
        attachBatchWindow(*window, *batch);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void chooseOutput()
    {
        for (auto* item : window->findChild<QMenu*>("mnuMIDI_Output")->actions())
            if (item->text() == SimulatedController::EditorOutputName) return item->trigger();
        FAIL() << "morvane-sim's input is not listed";
    }

    std::string copyExampleKit(int number, const std::string& to)
    {
        return tree.file(to,
                         testing::exampleKitDump(("examples/batch/kit-" + std::to_string(number) + ".syx").c_str()));
    }

    template <typename T>
    T* inBatch(const char* name)
    {
        return batch->findChild<T*>(QString::fromLatin1(name));
    }

    TempFolder tree;
    SimulatedController sim;
    RtMidiDevices devices;
    ScriptedDesktop desktop;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<BatchWindow> batch;
};

TEST_F(BatchOverMidi, FolderTreeArrivesAtTheInstrumentInListOrderByteForByte)
{
    chooseOutput();
    const std::vector<std::string> kits{copyExampleKit(1, "kits/1/kit-1.syx"), copyExampleKit(2, "kits/2/kit-2.syx"),
                                        copyExampleKit(3, "kits/kit-3.syx")};
    copyExampleKit(1, "kits/2/unwanted.syx");

    QTest::keyClick(window.get(), Qt::Key_F3);
    ASSERT_TRUE(batch->isVisible());
    batch->Dir1_Open(QString::fromStdString(tree.path("kits")));
    QTest::mouseClick(inBatch<QPushButton>("DirAddBtn"), Qt::LeftButton);
    auto* list = inBatch<QListWidget>("SysexList");
    ASSERT_EQ(list->count(), 4);
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Delete);
    inBatch<QLineEdit>("SendDelayText")->setText("0");
    QTest::mouseClick(inBatch<QPushButton>("SendSysexBtn"), Qt::LeftButton);

    EXPECT_EQ(inBatch<QLabel>("PleaseWaitLabel")->text(), "3 Kit dumps successfully sent.");
    ASSERT_TRUE(sim.waitForOutput("received-0003.syx")) << desktop.messageTexts().join("|").toStdString();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sim.savedFile(i + 1), readWholeFile(kits[static_cast<std::size_t>(i)]).value()) << "kit " << i + 1;
    EXPECT_TRUE(desktop.messages.empty()) << desktop.messageTexts().join("|").toStdString();
}

}  // namespace
}  // namespace morvane
