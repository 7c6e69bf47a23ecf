#include "midi/SysexSender.h"
#include "support/LoopbackMidiDevices.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

// Bytes → what goes out, and for a refusal the reason the box names.
TEST(SysexSplitting, EveryCompleteMessageGoesOutWholeAndInOrderAndAnythingElseIsRefusedBeforeSending)
{
    struct Row {
        MidiBytes bytes;
        std::optional<std::string> refusal;  // the output refuses every message
        std::vector<MidiBytes> sent;
        std::string why;
    };
    const Row rows[] = {
        {{0xF0, 1, 2, 0xF7, 0xF0, 3, 0xF7}, {}, {{0xF0, 1, 2, 0xF7}, {0xF0, 3, 0xF7}}, ""},
        {{0xF0, 1, 0xF7, 0xF0, 2, 0xF7}, "gone", {}, "PROBLEM IN SENDING SOUND DUMP REQUEST\n\ngone"},
        {{}, {}, {}, "There are no bytes to send."},
        {{0xF0, 1, 2}, {}, {}, "has no closing 247"},
        {{0xF0, 1, 0xF7, 5}, {}, {}, "Byte 3 (value 5) does not start"},
        {{0xF0, 1, 0x90, 0xF7}, {}, {}, "broken by the status byte 144 at byte 2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        LoopbackMidiDevices devices;
        ScriptedDesktop desktop;
        devices.outputs = {"Out"};
        ASSERT_TRUE(devices.openOutput("Out"));
        devices.sendRefusal = row.refusal;
        EXPECT_EQ(bool(Send_Sysex(devices, desktop, row.bytes)), row.why.empty());
        EXPECT_EQ(devices.sent, row.sent);
        if (row.why.empty()) {
            EXPECT_TRUE(desktop.messages.empty());
            continue;
        }
        ASSERT_EQ(desktop.messages.size(), 1U);
        EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromStdString(row.why)));
    }
}

}  // namespace
