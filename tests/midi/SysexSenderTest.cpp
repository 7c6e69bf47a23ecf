#include "midi/SysexSender.h"
#include "support/LoopbackMidiDevices.h"

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

TEST(SysexSplitting, EveryCompleteMessageGoesOutWholeAndInOrderUntilOneIsRefused)
{
    LoopbackMidiDevices devices;
    devices.outputs = {"Out"};
    ASSERT_TRUE(devices.openOutput(0));
    ASSERT_TRUE(transmitSysex(devices, {0xF0, 1, 2, 0xF7, 0xF0, 3, 0xF7}));
    EXPECT_EQ(devices.sent, (std::vector<MidiBytes>{{0xF0, 1, 2, 0xF7}, {0xF0, 3, 0xF7}}));

    devices.sendRefusal = "gone";
    auto refused = transmitSysex(devices, {0xF0, 1, 0xF7, 0xF0, 2, 0xF7});
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), "gone");
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
        devices.outputs = {"Out"};
        ASSERT_TRUE(devices.openOutput(0));
        auto sent = transmitSysex(devices, bytes);
        ASSERT_FALSE(sent);
        EXPECT_NE(sent.error().find(why), std::string::npos) << sent.error();
        EXPECT_TRUE(devices.sent.empty());
    }
}

}  // namespace
