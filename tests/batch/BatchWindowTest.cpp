#include "batch/BatchWindow.h"
#include "batch/BatchTexts.h"

#include "support/TempFolder.h"
#include "support/LoopbackMidiDevices.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace morvane {
namespace {

using testing::LoopbackMidiDevices;
using testing::ScriptedDesktop;
using testing::TempFolder;

QString q(const std::string& text) { return QString::fromStdString(text); }

class BatchWindowTest : public ::testing::Test {
protected:
    BatchWindowTest()
    {
        devices.outputs = {"Pad Out"};
        EXPECT_TRUE(devices.openOutput("Pad Out"));
        window.open();
        window.Dir1_Open(q(tree.root().string()));
    }

    template <typename T>
    T* child(const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    QStringList listed(const BatchWindow* in = nullptr)
    {
        QStringList entries;
        auto* list = (in ? in : &window)->findChild<QListWidget*>("SysexList");
        for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
        return entries;
    }
    void selectIn(const char* listName, const QStringList& texts)
    {
        auto* list = child<QListWidget>(listName);
        list->clearSelection();
        for (const auto& t : texts) list->findItems(t, Qt::MatchExactly).at(0)->setSelected(true);
    }
    void listFiles(int count)
    {
        for (int i = 0; i < count; ++i) tree.file("kit" + std::to_string(i) + ".syx", {0xF0, std::uint8_t(i), 0xF7});
        window.Dir1_Open(q(tree.root().string()));
        child<QListWidget>("File1")->selectAll();
        click("FileAddBtn");
    }

    TempFolder tree;
    ScriptedDesktop desktop;
    LoopbackMidiDevices devices;
    BatchWindow window{desktop, devices};
};

TEST_F(BatchWindowTest, OpeningAFolderListsItsKitDumpsAddingThemTwiceChangesNothingAndAnUnreadableFolderIsReported)
{
    tree.file("b.SYX");
    tree.file("a.syx");
    tree.file("readme.txt");
    tree.folder("sub");
    window.Dir1_Open(q(tree.root().string()));
    ASSERT_EQ(child<QListWidget>("File1")->count(), 2);
    selectIn("File1", {"a.syx", "b.SYX"});
    click("FileAddBtn");
    click("FileAddBtn");

    EXPECT_EQ(listed(), (QStringList{q(tree.path("a.syx")), q(tree.path("b.SYX"))}));
    EXPECT_EQ(text("FileLabel"), "2 Kit dumps to send");

    // A folder that cannot be opened is reported and the open one stays.
    const QString before = window.openFolder();
    window.Dir1_Open(q(tree.path("gone")));
    EXPECT_EQ(window.openFolder(), before);
    EXPECT_EQ(desktop.messageTexts(), QStringList{"The folder \"" + q(tree.path("gone")) + "\" cannot be read."});
}

TEST_F(BatchWindowTest, AddingTheHighlightedFolderTreeAddsOnlyNewFilesInSearchOrder)
{
    tree.file("kits/B/b.syx");
    tree.file("kits/a.syx");
    tree.file("kits/C/c.syx");
    window.Dir1_Open(q(tree.path("kits/B")));
    selectIn("File1", {"b.syx"});
    click("FileAddBtn");
    auto* dir1 = child<QTreeWidget>("Dir1");
    const auto kits = dir1->findItems("kits", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(kits.size(), 1);
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, dir1->visualItemRect(kits[0]).center());

    click("DirAddBtn");

    EXPECT_EQ(listed(),
              (QStringList{q(tree.path("kits/B/b.syx")), q(tree.path("kits/C/c.syx")), q(tree.path("kits/a.syx"))}));
    EXPECT_EQ(text("PleaseWaitLabel"), "2 Kit dumps added.");
    EXPECT_EQ(text("FileLabel"), "3 Kit dumps to send");
    // Once before the search and once before each of the two subfolders.
    EXPECT_EQ(desktop.pendingEventRuns, 3);
}

TEST_F(BatchWindowTest, ClosingDuringAFolderSearchEndsItBeforeTheNextFolder)
{
    tree.file("kits/A/a.syx");
    tree.file("kits/B/b.syx");
    tree.file("kits/c.syx");
    window.Dir1_Open(q(tree.path("kits")));
    QTimer::singleShot(0, &window, &QWidget::close);

    click("DirAddBtn");

    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(text("PleaseWaitLabel"), "0 Kit dumps added.");
}

TEST_F(BatchWindowTest, DeleteRemovesTheSelectedEntryAndSelectsTheOneThatFollowed)
{
    listFiles(4);
    auto* list = child<QListWidget>("SysexList");
    const QStringList all = listed();

    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(listed(), (QStringList{all[0], all[2], all[3]}));
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->row(list->selectedItems()[0]), 1);
    EXPECT_EQ(text("FileLabel"), "3 Kit dumps to send");
}

TEST_F(BatchWindowTest, ClosingDuringASendStopsItAndTheNextSendReportsTheCount)
{
    listFiles(3);
    devices.duringSend = [&] {
        if (window.isVisible()) window.close();
    };
    click("SendSysexBtn");
    EXPECT_EQ(devices.sent.size(), 1u);
    EXPECT_EQ(text("PleaseWaitLabel"), BatchCancelledText);

    devices.duringSend = nullptr;
    window.open();
    child<QLineEdit>("SendDelayText")->setText("0");
    click("SendSysexBtn");
    EXPECT_EQ(devices.sent.size(), 4u);
    EXPECT_EQ(text("PleaseWaitLabel"), "3 Kit dumps successfully sent.");
}

TEST_F(BatchWindowTest, BatchSetIsSavedAsPlainTextAndOpenedAgain)
{
    listFiles(2);
    const QStringList entries = listed();
    const QString setPath = q(tree.path("set.txt"));
    desktop.saveChoices.push_back(setPath);
    child<QAction>("mnuFile_SaveAs")->trigger();
    QFile saved(setPath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), entries.join("\n") + "\n");

    BatchWindow other(desktop, devices);
    desktop.openChoices.push_back(setPath);
    other.findChild<QAction*>("mnuFile_Open")->trigger();
    EXPECT_EQ(listed(&other), entries);
    EXPECT_TRUE(desktop.messages.empty());

    const std::string longLines = std::string(4096, 'k') + "\n" + std::string(4097, 'k');
    const auto huge = tree.file("huge.txt");
    std::filesystem::resize_file(huge, 1024 * 1024 + 1);
    desktop.openChoices = {q(tree.file("long.txt", {longLines.begin(), longLines.end()})), q(huge)};
    for (int open = 0; open < 2; ++open) other.findChild<QAction*>("mnuFile_Open")->trigger();
    EXPECT_EQ(listed(&other), entries);
    EXPECT_EQ(desktop.messageTexts(),
              QStringList({"Cannot open \"" + q(tree.path("long.txt")) + "\": line 2 is longer than any path can be.",
                           "Cannot open \"" + q(huge) + "\": the file has 1048577 bytes; a batch set is never "
                                                        "larger than 1 MiB."}));
}

}  // namespace
}  // namespace morvane
