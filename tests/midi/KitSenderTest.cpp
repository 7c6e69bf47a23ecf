#include "MidiFixture.h"

#include "support/KitFiles.h"

using namespace morvane;
using namespace morvane::testing;

namespace {

class Sending : public MidiFixture {
protected:
    Sending()
    {
        host.load(exampleKitDump());
        midi.ports.Fill_mnuMIDI_Ports();
        midi.ports.mnuMIDI_outputs_Click(0);
    }

    void expectFailedSendStatus()
    {
        EXPECT_EQ(host.statuses, QStringList{"Sysex send failed."});
        EXPECT_TRUE(desktop.beeps.empty());
    }
};

TEST_F(Sending, CancelledQuestionSendsNothingAndConfirmedSendCommitsEncodesAndSendsTheWholeKitOnce)
{
    desktop.answers = {MessageAnswer::Cancel};
    midi.sender.MnuSysex_SendSysex_Click();
    EXPECT_EQ(host.statuses, QStringList{"Sysex send aborted."});
    EXPECT_TRUE(host.steps.isEmpty());
    EXPECT_TRUE(devices.sent.empty());
    desktop.messages.clear();
    host.statuses.clear();

    host.fields.PadMNN[3] = 99;
    midi.sender.MnuSysex_SendSysex_Click();
    ASSERT_FALSE(desktop.messages.empty());
    EXPECT_EQ(desktop.messages[0].text, "Do you want to send your current kit to your Morvane?");
    EXPECT_EQ(desktop.messages[0].title, "Dump Sysex to Morvane?");
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::OkCancelQuestion);
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(host.steps, (QStringList{"commit", "update"}));
    ASSERT_EQ(devices.sent.size(), 1u);
    EXPECT_EQ(devices.sent[0].size(), KitDumpLength);
    EXPECT_EQ(devices.sent[0], host.dump);
    EXPECT_EQ(decodeKit(devices.sent[0]).value().PadMNN[3], 99);
    EXPECT_EQ(desktop.beeps, (std::vector<Beep>{{1000, 150}}));
    EXPECT_EQ(host.statuses, QStringList{"Sysex succesfully sent."});
}

TEST_F(Sending, WithoutAnOpenOutputBothCommandsAdviseChoosingOne)
{
    devices.unopenableOutputs = {1};
    midi.ports.mnuMIDI_outputs_Click(1);
    desktop.messages.clear();
    bool batchOpened = false;
    midi.sender.openBatchWindow = [&] { batchOpened = true; };

    midi.sender.MnuSysex_SendSysex_Click();
    midi.sender.MnuSysex_SendMultipleKitDumps_Click();
    const QString advice = "No Midi Output selected. Click on MIDI Configuration, Output, then select a MIDI Output "
                           "device from the list.";
    ASSERT_EQ(desktop.messages.size(), 3u);
    for (int i : {1, 2}) {
        EXPECT_EQ(desktop.messages[static_cast<std::size_t>(i)].text, advice);
        EXPECT_EQ(desktop.messages[static_cast<std::size_t>(i)].style, MessageStyle::Exclamation);
    }
    EXPECT_TRUE(host.statuses.isEmpty());
    EXPECT_TRUE(devices.sent.empty());
    EXPECT_FALSE(batchOpened);
}

TEST_F(Sending, FailedTransferIsReportedAsFailedWithoutSuccessBeepOrText)
{
    devices.sendRefusal = "the device went away";
    midi.sender.MnuSysex_SendSysex_Click();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text, "PROBLEM IN SENDING SOUND DUMP REQUEST\n\nthe device went away");
    EXPECT_EQ(desktop.messages[1].style, MessageStyle::Critical);
    expectFailedSendStatus();
}

TEST_F(Sending, NoKitLoadedIsRefusedBeforeAnythingLeaves)
{
    host.loaded = false;
    host.dump = emptyKitDump();
    midi.sender.MnuSysex_SendSysex_Click();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_TRUE(desktop.messages[1].text.startsWith("There is no kit to send yet."));
    EXPECT_TRUE(devices.sent.empty());
    expectFailedSendStatus();
}

TEST_F(Sending, KitTheEncoderRefusesIsNotSentAndTheDumpStaysAsItWas)
{
    host.fields.PadTCH[0] = 0;
    const auto before = host.dump;
    midi.sender.MnuSysex_SendSysex_Click();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_TRUE(desktop.messages[1].text.startsWith("The kit cannot be sent. The transmit channel 0 of pad 1"));
    EXPECT_EQ(desktop.messages[1].style, MessageStyle::Critical);
    EXPECT_EQ(host.dump, before);
    EXPECT_TRUE(devices.sent.empty());
    expectFailedSendStatus();
}

}  // namespace
