#include "batch/BatchSender.h"
#include "batch/BatchTexts.h"

#include "support/TempFolder.h"
#include "support/LoopbackMidiDevices.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;
using Highlights = std::vector<std::optional<std::size_t>>;

class RecordingPanel final : public BatchSendPanel {
public:
    QString delay = QStringLiteral("1400");
    QStringList shown;
    Highlights highlights;

    QString delayText() const override { return delay; }
    void showProgress(const QString& text) override { shown << text; }
    void highlightEntry(std::optional<std::size_t> row) override { highlights.push_back(row); }
};

Bytes kit(std::uint8_t marker) { return {0xF0, 0x00, marker, 0xF7}; }

class BatchSend : public ::testing::Test {
protected:
    BatchSend()
    {
        devices.outputs = {"Pad Out"};
        EXPECT_TRUE(devices.openOutput("Pad Out"));
    }

    std::string listKit(const std::string& name, const Bytes& bytes)
    {
        const auto path = tree.file(name, bytes);
        list.add(path);
        return path;
    }

    TempFolder tree;
    BatchList list;
    RecordingPanel panel;
    ScriptedDesktop desktop;
    LoopbackMidiDevices devices;
    RecordingKitHistory history;
    // Runs as the sender reads the clock, e.g. to press Stop during a pause.
    std::function<void(std::int64_t)> whileTimePasses;
    BatchSender sender{list, panel, desktop, devices, history, [this] {
                           const auto now = desktop.sleptMilliseconds();
                           if (whileTimePasses) whileTimePasses(now);
                           return now;
                       }};
};

// While it runs, a second Send is ignored and a changed delay applies from the next pause.
TEST_F(BatchSend, ThreeFilesGoOutInListOrderMessageByMessage)
{
    listKit("c.syx", kit(3));
    const Bytes bank{0xF0, 0x00, 1, 0xF7, 0xF0, 0x00, 2, 0xF7};  // kit(1) then kit(2)
    listKit("a-bank.syx", bank);
    listKit("b.syx", kit(4));
    Highlights duringTransfers;
    std::vector<BatchResult::End> nested;
    devices.duringSend = [&] {
        duringTransfers.push_back(panel.highlights.back());
        nested.push_back(sender.sendAll().end);
        panel.delay = duringTransfers.size() == 1 ? QStringLiteral("0") : QStringLiteral("oops");
    };

    EXPECT_EQ(sender.sendAll().end, BatchResult::End::Completed);

    EXPECT_EQ(devices.sent, (std::vector<Bytes>{kit(3), kit(1), kit(2), kit(4)}));
    EXPECT_EQ(history.told, (std::vector<ToldKit>{{"sent", "Pad Out", kit(3)}, {"sent", "Pad Out", bank},
                                                   {"sent", "Pad Out", kit(4)}}));
    EXPECT_EQ(duringTransfers, (Highlights{0, 1, 1, 2}));
    EXPECT_EQ(nested, std::vector<BatchResult::End>(4, BatchResult::End::AlreadySending));
    EXPECT_TRUE(desktop.sleeps.empty());
    EXPECT_EQ(desktop.beeps, (std::vector<Beep>{{1000, 150}}));
    EXPECT_EQ(panel.shown, (QStringList{SendingKitDumpsText, "3 Kit dumps successfully sent."}));
    EXPECT_EQ(panel.highlights.back(), std::nullopt);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(BatchSend, StopEndsAPauseAtOnceWhileTheWindowPaintsAndNeverOutlivesItsBatch)
{
    listKit("a.syx", kit(1));
    listKit("b.syx", kit(2));
    panel.delay = "5000";
    whileTimePasses = [&](std::int64_t now) {
        if (now >= 500) sender.requestStop();
    };
    const auto stopped = sender.sendAll();
    EXPECT_EQ(stopped.end, BatchResult::End::Cancelled);
    EXPECT_EQ(stopped.sent, 1u);
    EXPECT_LT(desktop.sleptMilliseconds(), 600);
    EXPECT_GE(desktop.pendingEventRuns, 50) << "the window paints through the pause";
    EXPECT_TRUE(desktop.beeps.empty());
    EXPECT_EQ(panel.shown.back(), BatchCancelledText);

    // Pressed while idle, or while the last file goes out: the next batch runs whole.
    whileTimePasses = nullptr;
    panel.delay = "0";
    sender.requestStop();
    devices.duringSend = [&] {
        if (devices.sent.size() == 2) sender.requestStop();
    };
    EXPECT_EQ(sender.sendAll().end, BatchResult::End::Completed);
    EXPECT_EQ(sender.sendAll().end, BatchResult::End::Completed);
    EXPECT_EQ(devices.sent.size(), 5u);
}

TEST_F(BatchSend, DelayThatIsNotAWholeNumberUpTo60000IsRefusedBeforeStarting)
{
    listKit("a.syx", kit(1));
    for (const char* text : {"", "-1", "1.5", "60001", "+5"}) {
        panel.delay = QString::fromLatin1(text);
        EXPECT_EQ(sender.sendAll().end, BatchResult::End::DelayRefused) << text;
    }
    EXPECT_TRUE(devices.sent.empty() && panel.shown.isEmpty());
    EXPECT_EQ(desktop.messageTexts(), QStringList(5, InvalidDelayText));
    EXPECT_EQ(parseSendDelay(" 60000 "), 60000);
}

TEST_F(BatchSend, FilesThatCannotBeReadOrAreNotSysexAreSkippedAndNamedInTheSummaryAlone)
{
    list.add(tree.path("missing.syx"));
    listKit("empty.syx", {});
    const auto text = listKit("notes.syx", {'h', 'i'});
    listKit("good.syx", kit(7));
    listKit("huge.syx", Bytes(1024 * 1024 + 1, 0xF0));

    const auto result = sender.sendAll();

    EXPECT_EQ(devices.sent, (std::vector<Bytes>{kit(7)}));
    ASSERT_EQ(result.notSent.size(), 4u);
    EXPECT_EQ(desktop.sleptMilliseconds(), 5 * 1400);
    EXPECT_EQ(panel.shown.back(), "1 Kit dump successfully sent.\n4 files were not sent.");
    ASSERT_EQ(desktop.messages.size(), 1u);
    const QString summary = desktop.messages[0].text;
    EXPECT_TRUE(summary.startsWith("These files were not sent:")) << summary.toStdString();
    for (const auto& notSent : result.notSent)
        EXPECT_TRUE(summary.contains(QString::fromStdString(notSent.path))) << notSent.path;
    EXPECT_TRUE(summary.contains(QString::fromStdString(text) + "\" is not System Exclusive"));
}

TEST_F(BatchSend, FailedTransfersAreCountedAsFailedAndAGoneOutputEndsTheBatchWithOneMessage)
{
    const auto a = listKit("a.syx", kit(1));
    listKit("b.syx", kit(2));
    listKit("c.syx", kit(3));
    devices.sendRefusal = "The output refused the message.";

    sender.sendAll();

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains("\"" + QString::fromStdString(a) +
                                                  "\": the transfer failed: The output refused the message."));
    EXPECT_EQ(panel.shown.back(), "No kit dump was sent.\n3 files were not sent.");
    EXPECT_EQ(desktop.beeps.size(), 1u);

    // The device goes during the first transfer: one box for the whole batch.
    devices.duringSend = [&] { devices.reachable = false; };
    desktop.messages.clear();
    EXPECT_EQ(sender.sendAll().end, BatchResult::End::OutputGone);
    EXPECT_EQ(desktop.messageTexts(), (QStringList{"The MIDI output \"Pad Out\" can no longer be reached, so the "
                                                   "batch was ended.\n3 files were not sent."}));
    EXPECT_EQ(desktop.beeps.size(), 1u);
}

TEST_F(BatchSend, EntriesRemovedDuringTheBatchAreNotSentAndEntriesAddedWaitForTheNextOne)
{
    listKit("a.syx", kit(1));
    listKit("b.syx", kit(2));
    const auto c = listKit("c.syx", kit(3));
    listKit("d.syx", kit(4));
    // While b goes out, sent a and waiting c are removed, then c is listed anew.
    devices.duringSend = [&] {
        if (devices.sent.size() != 1) return;
        list.removeRows({0, 2});
        list.add(c);
    };

    sender.sendAll();

    EXPECT_EQ(devices.sent, (std::vector<Bytes>{kit(1), kit(2), kit(4)}));
    EXPECT_EQ(panel.highlights, (Highlights{0, 1, 1, std::nullopt}));
    EXPECT_EQ(panel.shown.back(), "3 Kit dumps successfully sent.");
}

}  // namespace
}  // namespace morvane
