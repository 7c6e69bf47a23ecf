// The real MIDI devices on a real JACK server, against a controller played
// through libjack directly.
#include "midi/InputDelivery.h"
#include "midi/devices/JackMidiDevices.h"
#include "support/JackPeer.h"
#include "support/KitFiles.h"

#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

using namespace morvane;
using namespace morvane::testing;

namespace {

Bytes piece(const Bytes& kit, std::size_t from, std::size_t to)
{
    return Bytes(kit.begin() + static_cast<std::ptrdiff_t>(from), kit.begin() + static_cast<std::ptrdiff_t>(to));
}

// A SysEx message of `size` bytes in all.
Bytes sysexOf(std::size_t size)
{
    Bytes m(size, 0x11);
    m.front() = 0xF0;
    m.back() = 0xF7;
    return m;
}

class RealDevices : public ::testing::Test {
protected:
    void SetUp() override
    {
        MORVANE_REQUIRE_JACK();
        ASSERT_TRUE(peer.ready());
        QObject::connect(&devices.delivery(), &InputDelivery::received, [this](const MidiInputEvent& event) {
            handlerThreads.push_back(QThread::currentThread());
            received.push_back(event);
        });
        ASSERT_TRUE(devices.openInput(peer.outName()));
        ASSERT_TRUE(devices.openOutput(peer.inName()));
    }

    std::vector<Bytes> receivedSysex()
    {
        QTest::qWait(100);  // whatever else was coming has come
        std::vector<Bytes> sysex;
        for (const auto& event : received)
            if (event.kind == MidiInputEvent::Kind::Sysex) sysex.push_back(event.bytes);
        received.clear();
        return sysex;
    }

    const Bytes kit = exampleKitDump();
    JackPeer peer{"morvane-test-peer"};
    JackMidiDevices devices{OwnClientPrefix + " test"};
    std::vector<MidiInputEvent> received;
    std::vector<QThread*> handlerThreads;
};

// Sending whole, and to a device that vanished or restarted, is proved through the editor's window.
TEST_F(RealDevices, ListsPeersByNameAndNeverOurOwnPortsAndRefusesAnOversizeMessage)
{
    EXPECT_EQ(std::ranges::count(devices.inputNames(), peer.outName()), 1);
    EXPECT_EQ(std::ranges::count(devices.outputNames(), peer.inName()), 1);
    for (const auto& names : {devices.inputNames(), devices.outputNames()})
        for (const auto& name : names) EXPECT_NE(name.rfind(OwnClientPrefix, 0), 0u) << name;
    EXPECT_FALSE(devices.openInput("nobody:out"));
    EXPECT_FALSE(devices.openOutput("nobody:in"));

    ASSERT_TRUE(devices.openOutput(peer.inName()));
    const auto refused = devices.sendSysex(sysexOf(100000));
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("100000 bytes"), std::string::npos) << refused.error();
}

// Each row: what the controller sends, as JACK events, and the SysEx
// messages the editor must see. Unfinished and broken messages are the
// framer's, proved on it.
TEST_F(RealDevices, ReceivedSysexIsAlwaysOneWholeMessageOnTheWindowThread)
{
    const Bytes unfinished = piece(kit, 0, 24);
    struct Row {
        const char* what;
        std::vector<Bytes> pieces;
        std::vector<Bytes> expected;
    };
    const std::vector<Row> rows{
        {"whole", {kit}, {kit}},
        {"in pieces with real-time bytes between and inside",
         {piece(kit, 0, 100), {0xF8}, piece(kit, 100, 300), {0xFE, 0xFA}, piece(kit, 300, kit.size())},
         {kit}},
        {"longer than a kit, whole", {sysexOf(1500)}, {sysexOf(1500)}},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(peer.send(row.pieces)) << row.what;
        EXPECT_EQ(receivedSysex(), row.expected) << row.what;
    }
    for (auto* thread : handlerThreads) EXPECT_EQ(thread, QThread::currentThread());

    // Nothing from before a reopening becomes part of a message after it.
    ASSERT_TRUE(peer.send({unfinished}));
    ASSERT_TRUE(devices.closeInput());
    ASSERT_TRUE(devices.openInput(peer.outName()));
    ASSERT_TRUE(peer.send({piece(kit, 24, kit.size()), kit}));
    EXPECT_EQ(receivedSysex(), std::vector<Bytes>{kit});
}

TEST(RealDevicesOnAServerThatStops, ListNothingAndFailEverySend)
{
    MORVANE_REQUIRE_JACK();
    OwnJackServer server(QStringLiteral("morvane-test-dying"));
    ASSERT_TRUE(server.running());
    JackPeer peer("morvane-test-peer");
    JackMidiDevices devices(OwnClientPrefix + " test");
    ASSERT_TRUE(devices.openOutput(peer.inName()));
    ASSERT_TRUE(devices.sendSysex(exampleKitDump()));

    server.kill();
    const auto sent = devices.sendSysex(exampleKitDump());
    ASSERT_FALSE(sent);
    EXPECT_NE(sent.error().find("JACK server"), std::string::npos) << sent.error();
    EXPECT_TRUE(devices.outputNames().empty());
}

}  // namespace
