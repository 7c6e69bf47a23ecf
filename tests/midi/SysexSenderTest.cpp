#include "midi/SysexSender.h"
#include "support/LoopbackMidiDevices.h"
#include "support/ScriptedDesktop.h"

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

TEST(SysexSplitting, EveryCompleteMessageGoesOutWholeAndInOrderUntilOneIsRefused)
{
    LoopbackMidiDevices devices;
    ScriptedDesktop desktop;
    devices.outputs = {"Out"};
    ASSERT_TRUE(devices.openOutput("Out"));
    ASSERT_TRUE(Send_Sysex(devices, desktop, {0xF0, 1, 2, 0xF7, 0xF0, 3, 0xF7}));
    EXPECT_EQ(devices.sent, (std::vector<MidiBytes>{{0xF0, 1, 2, 0xF7}, {0xF0, 3, 0xF7}}));
    EXPECT_TRUE(desktop.messages.empty());

    devices.sendRefusal = "gone";
    const auto refused = Send_Sysex(devices, desktop, {0xF0, 1, 0xF7, 0xF0, 2, 0xF7});
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.kind, SysexSendResult::Kind::TransferFailed);
    EXPECT_EQ(refused.reason, "gone");
    ASSERT_EQ(desktop.messages.size(), 1U);
    EXPECT_EQ(desktop.messages[0].text, "PROBLEM IN SENDING SOUND DUMP REQUEST\n\ngone");
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::Critical);
}

TEST(SysexSplitting, BytesOutsideCompleteFramingAreRefusedBeforeAnythingIsSent)
{
    const std::vector<std::pair<MidiBytes, std::string>> broken = {
        {{}, "There are no bytes to send."},
        {{0xF0, 1, 2}, "has no closing 247"},
        {{0xF0, 1, 0xF7, 5}, "Byte 3 (value 5) does not start"},
        {{0xF0, 1, 0x90, 0xF7}, "broken by the status byte 144 at byte 2"},
    };
    for (const auto& [bytes, why] : broken) {
        LoopbackMidiDevices devices;
        ScriptedDesktop desktop;
        devices.outputs = {"Out"};
        ASSERT_TRUE(devices.openOutput("Out"));
        const auto sent = Send_Sysex(devices, desktop, bytes);
        ASSERT_FALSE(sent);
        EXPECT_EQ(sent.kind, SysexSendResult::Kind::NotSysex);
        EXPECT_NE(sent.reason.find(why), std::string::npos) << sent.reason;
        EXPECT_TRUE(devices.sent.empty());
        ASSERT_EQ(desktop.messages.size(), 1U);
        EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromStdString(why)));
    }
}

}  // namespace
