#include "midi/SysexSender.h"
#include "support/LoopbackMidiDevices.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

// Bytes → what goes out, and for a refusal its kind and the reason the box names.
TEST(SysexSplitting, EveryCompleteMessageGoesOutWholeAndInOrderAndAnythingElseIsRefusedBeforeSending)
{
    using Kind = SysexSendResult::Kind;
    struct Row {
        MidiBytes bytes;
        std::optional<std::string> refusal;  // the output refuses every message
        std::vector<MidiBytes> sent;
        Kind kind;
        std::string why;
    };
    const Row rows[] = {
        {{0xF0, 1, 2, 0xF7, 0xF0, 3, 0xF7}, {}, {{0xF0, 1, 2, 0xF7}, {0xF0, 3, 0xF7}}, Kind::Sent, ""},
        {{0xF0, 1, 0xF7, 0xF0, 2, 0xF7}, "gone", {}, Kind::TransferFailed, "PROBLEM IN SENDING SOUND DUMP REQUEST\n\ngone"},
        {{}, {}, {}, Kind::NotSysex, "There are no bytes to send."},
        {{0xF0, 1, 2}, {}, {}, Kind::NotSysex, "has no closing 247"},
        {{0xF0, 1, 0xF7, 5}, {}, {}, Kind::NotSysex, "Byte 3 (value 5) does not start"},
        {{0xF0, 1, 0x90, 0xF7}, {}, {}, Kind::NotSysex, "broken by the status byte 144 at byte 2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        LoopbackMidiDevices devices;
        ScriptedDesktop desktop;
        devices.outputs = {"Out"};
        ASSERT_TRUE(devices.openOutput("Out"));
        devices.sendRefusal = row.refusal;
        const auto result = Send_Sysex(devices, desktop, row.bytes);
        EXPECT_EQ(result.kind, row.kind);
        EXPECT_EQ(devices.sent, row.sent);
        if (row.why.empty()) {
            EXPECT_TRUE(desktop.messages.empty());
            continue;
        }
        ASSERT_EQ(desktop.messages.size(), 1U);
        EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromStdString(row.why)));
        EXPECT_EQ(desktop.messages[0].style, MessageStyle::Critical);
    }
}

}  // namespace
