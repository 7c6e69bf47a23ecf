#include "batch/widgets/BatchWindow.h"
#include "batch/widgets/FolderBrowser.h"
#include "batch/BatchTexts.h"

#include "support/TempFolder.h"
#include "support/LoopbackMidiDevices.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace morvane {
namespace {

using namespace testing;

QString q(const std::string& text) { return QString::fromStdString(text); }

class BatchWindowTest : public ::testing::Test {
protected:
    BatchWindowTest()
    {
        devices.outputs = {"Pad Out"};
        EXPECT_TRUE(devices.openOutput("Pad Out"));
        window.open();
        openFolder(tree.root().string());
    }

    template <typename T>
    T* child(const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    void openFolder(const std::string& folder) { child<FolderBrowser>("FolderBrowser")->Dir1_Open(q(folder)); }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    QStringList listed()
    {
        QStringList entries;
        auto* list = child<QListWidget>("SysexList");
        for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
        return entries;
    }

    TempFolder tree;
    ScriptedDesktop desktop;
    LoopbackMidiDevices devices;
    RecordingKitHistory history;
    BatchWindow window{desktop, devices, history};
};

// The file list shows .syx files in any letter case and nothing else.
TEST_F(BatchWindowTest, AddingFilesThenTheHighlightedFolderTreeAddsOnlyNewFilesInSearchOrder)
{
    tree.file("kits/B/b.syx");
    tree.file("kits/B/d.SYX");
    tree.file("kits/B/readme.txt");
    tree.folder("kits/B/sub");
    tree.file("kits/a.syx");
    tree.file("kits/C/c.syx");
    openFolder(tree.path("kits/B"));
    ASSERT_EQ(child<QListWidget>("File1")->count(), 2);
    child<QListWidget>("File1")->findItems("b.syx", Qt::MatchExactly).at(0)->setSelected(true);
    click("FileAddBtn");
    auto* dir1 = child<QTreeWidget>("Dir1");
    const auto kits = dir1->findItems("kits", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(kits.size(), 1);
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, dir1->visualItemRect(kits[0]).center());

    click("DirAddBtn");

    EXPECT_EQ(listed(), (QStringList{q(tree.path("kits/B/b.syx")), q(tree.path("kits/B/d.SYX")),
                                     q(tree.path("kits/C/c.syx")), q(tree.path("kits/a.syx"))}));
    EXPECT_EQ(text("PleaseWaitLabel"), "3 Kit dumps added.");
    EXPECT_EQ(text("FileLabel"), "4 Kit dumps to send");
    // Once before the search and once before each subfolder.
    EXPECT_EQ(desktop.pendingEventRuns, 4);
}

TEST_F(BatchWindowTest, ClosingDuringASendStopsItAndTheNextSendReportsTheCount)
{
    for (int i = 0; i < 3; ++i) tree.file("kit" + std::to_string(i) + ".syx", {0xF0, std::uint8_t(i), 0xF7});
    openFolder(tree.root().string());
    child<QListWidget>("File1")->selectAll();
    click("FileAddBtn");
    devices.duringSend = [&] {
        if (window.isVisible()) window.close();
    };
    click("SendSysexBtn");
    EXPECT_EQ(devices.sent.size(), 1u);
    EXPECT_EQ(text("PleaseWaitLabel"), BatchCancelledText);

    devices.duringSend = nullptr;
    window.open();
    click("SendSysexBtn");
    EXPECT_EQ(devices.sent.size(), 4u);
    EXPECT_EQ(text("PleaseWaitLabel"), "3 Kit dumps successfully sent.");
}

}  // namespace
}  // namespace morvane
