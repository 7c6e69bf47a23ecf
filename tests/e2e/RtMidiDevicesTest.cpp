// The real RtMidi devices against morvane-sim through a real JACK server.
#include "midi/RtMidiDevices.h"
#include "support/KitFiles.h"
#include "support/MidiPeers.h"

#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

using namespace morvane;
using namespace morvane::testing;

namespace {

int numberOf(const std::vector<std::string>& names, const std::string& name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

class RealDevices : public ::testing::Test {
protected:
    void SetUp() override
    {
        MORVANE_REQUIRE_JACK();
        ASSERT_TRUE(sim.ready());
        devices.setInputHandler([this](const MidiInputEvent& event) {
            handlerThreads.push_back(QThread::currentThread());
            received.push_back(event);
        });
    }

    void openSim()
    {
        ASSERT_TRUE(devices.openInput(numberOf(devices.inputNames(), SimulatedController::EditorInputName)));
        ASSERT_TRUE(devices.openOutput(numberOf(devices.outputNames(), SimulatedController::EditorOutputName)));
    }

    SimulatedController sim;
    RtMidiDevices devices;
    std::vector<MidiInputEvent> received;
    std::vector<QThread*> handlerThreads;
};

TEST_F(RealDevices, ListsTheControllerOnJackAndNeverOurOwnPorts)
{
    EXPECT_EQ(devices.apiName(), "Jack");
    EXPECT_GE(numberOf(devices.inputNames(), SimulatedController::EditorInputName), 0);
    EXPECT_GE(numberOf(devices.outputNames(), SimulatedController::EditorOutputName), 0);
    openSim();
    for (const auto& names : {devices.inputNames(), devices.outputNames()})
        for (const auto& name : names) EXPECT_NE(name.rfind(OwnClientPrefix, 0), 0u) << name;
}

TEST_F(RealDevices, DumpArrivesWholeAndOnlyOnTheWindowThreadUntilTheInputCloses)
{
    openSim();
    sim.command(QStringLiteral("note 38"));
    sim.command(QStringLiteral("send %1/examples/demo-kit.syx").arg(MORVANE_SOURCE_DIR));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 3; }, 5000)) << received.size();
    EXPECT_EQ(received[0].kind, MidiInputEvent::Kind::Short);
    EXPECT_EQ(received[0].bytes, (std::vector<std::uint8_t>{0x99, 38, 100}));
    EXPECT_EQ(received[2].kind, MidiInputEvent::Kind::Sysex);
    EXPECT_EQ(received[2].bytes, exampleKitDump());
    for (auto* thread : handlerThreads) EXPECT_EQ(thread, QThread::currentThread());

    ASSERT_TRUE(devices.closeInput());
    sim.command(QStringLiteral("note 40"));
    ASSERT_TRUE(sim.waitForOutput(QStringLiteral("played note 40")));
    QTest::qWait(200);
    EXPECT_EQ(received.size(), 3u) << "a closed input still hears";
}

TEST_F(RealDevices, SendToAControllerThatVanishedFailsAtOnce)
{
    openSim();
    sim.stop();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return numberOf(devices.outputNames(), SimulatedController::EditorOutputName) < 0; }, 3000));
    auto sent = devices.sendSysex(exampleKitDump());
    ASSERT_FALSE(sent);
    EXPECT_NE(sent.error().find("is no longer there"), std::string::npos) << sent.error();
}

}  // namespace
