#include "MidiFixture.h"

#include "support/KitFiles.h"

#include <QTest>

#include <functional>

using namespace morvane;
using namespace morvane::testing;

namespace {

struct SendRig : MidiRig {
    SendRig()
    {
        host.load(exampleKitDump());
        midi.ports().Fill_mnuMIDI_Ports();
        midi.ports().mnuMIDI_outputs_Click(0);
    }
};

class Sending : public ::testing::Test, public SendRig {};

TEST_F(Sending, ConfirmedSendCommitsEncodesAndSendsTheWholeKitOnce)
{
    host.fields.PadMNN[3] = 99;
    midi.sender().MnuSysex_SendSysex_Click();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::OkCancelQuestion);
    EXPECT_EQ(host.steps, (QStringList{"commit", "update"}));
    ASSERT_EQ(devices.sent, std::vector<KitDump>{host.dump});
    EXPECT_EQ(decodeKit(devices.sent[0]).value().PadMNN[3], 99);
    EXPECT_EQ(desktop.beeps, (std::vector<Beep>{{1000, 150}}));
    EXPECT_EQ(host.statuses, QStringList{"Sysex succesfully sent."});
}

// Each way a send can fail: nothing leaves (or what left is reported), no
// success beep, the status says so and the dump stays as it was.
TEST(SendFailure, EveryIsSaidInABoxAndOnTheStatusLineWithoutSuccessBeep)
{
    struct Row {
        const char* name;
        std::function<void(SendRig&)> arrange;
        QString box;  // the start of the box after the question, if any
        QString status;
    };
    const Row rows[] = {
        {"question cancelled", [](SendRig& t) { t.desktop.answers = {MessageAnswer::Cancel}; }, {},
         "Sysex send aborted."},
        {"no output",
         [](SendRig& t) {
             t.devices.unopenableOutputs = {1};
             t.midi.ports().mnuMIDI_outputs_Click(1);
             t.desktop.messages.clear();
         },
         "No Midi Output selected.", {}},
        {"transfer fails", [](SendRig& t) { t.devices.sendRefusal = "the device went away"; },
         "PROBLEM IN SENDING SOUND DUMP REQUEST\n\nthe device went away", "Sysex send failed."},
        {"no kit", [](SendRig& t) { t.host.loaded = false; }, "There is no kit to send yet.", "Sysex send failed."},
        {"kit the encoder refuses", [](SendRig& t) { t.host.fields.PadTCH[0] = 0; },
         "The kit cannot be sent. The transmit channel 0 of pad 1", "Sysex send failed."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SendRig t;
        row.arrange(t);
        const auto before = t.host.dump;
        t.midi.sender().MnuSysex_SendSysex_Click();
        ASSERT_EQ(t.desktop.messages.size(), row.box.isEmpty() ? 1u : 2u);
        EXPECT_TRUE(row.box.isEmpty() || t.desktop.messages[1].text.startsWith(row.box)) << row.box.toStdString();
        EXPECT_EQ(t.host.statuses, row.status.isEmpty() ? QStringList{} : QStringList{row.status});
        EXPECT_TRUE(row.status == "Sysex send failed." || t.host.steps.isEmpty());
        EXPECT_TRUE(t.desktop.beeps.empty());
        EXPECT_EQ(t.host.dump, before);
        EXPECT_TRUE(t.devices.sent.empty());
    }
}

// A played pad sends its Note On at once and its Note Off (0x8n, velocity 0)
// from the timer; a pad that cannot be played sends nothing and says why.
TEST(PlayingAPad, SendsItsNoteOnThenItsNoteOffOrTellsWhyNothingWasSent)
{
    const std::tuple<bool, const char*, std::uint8_t, std::uint8_t, QString> rows[] = {
        // output chosen, send refused with, note, channel, status
        {true, nullptr, 38, 10, "Pad 7 played: note 38 on channel 10."},
        {false, nullptr, 38, 10, "Pad 7 was not played: no MIDI output is chosen."},
        {true, nullptr, 38, 0, "Pad 7 was not played: its channel 0 is not a MIDI channel (1 to 16)."},
        {true, nullptr, 38, 17, "Pad 7 was not played: its channel 17 is not a MIDI channel (1 to 16)."},
        {true, nullptr, 128, 10, "Pad 7 was not played: its note 128 is not a MIDI note (0 to 127)."},
        {true, "gone", 38, 10, "Pad 7 was not played: the note could not be sent. gone"},
    };
    for (const auto& [output, refusal, note, channel, status] : rows) {
        SCOPED_TRACE(status.toStdString());
        SendRig t;
        if (!output) t.midi.ports().closePorts();
        if (refusal) t.devices.sendRefusal = refusal;
        t.midi.player().playPad(6, note, channel);
        EXPECT_EQ(t.host.statuses.last(), status);
        const std::vector<KitDump> noteOn{{0x99, 38, 100}}, noteOnAndOff{{0x99, 38, 100}, {0x89, 38, 0}};
        const bool played = status.startsWith("Pad 7 played");
        EXPECT_EQ(t.devices.sent, played ? noteOn : decltype(noteOn){});
        if (played) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return t.devices.sent == noteOnAndOff; }));
        }
    }
}

}  // namespace
