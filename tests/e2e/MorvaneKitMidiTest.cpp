// morvane-kit ports, send and receive against morvane-sim over JACK.
#include "kit/KitFile.h"
#include "midi/JackMidiDevices.h"
#include "midi/RtMidiDevices.h"
#include "support/JackPeer.h"
#include "support/KitFiles.h"
#include "support/MidiPeers.h"
#include "support/ToolRun.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::testing;
using morvane::testing::runTool;

namespace {

const std::string Kit = MORVANE_SOURCE_DIR "/examples/demo-kit.syx";
const std::string OtherKit = MORVANE_SOURCE_DIR "/examples/demo-kit-2.syx";

class KitToolOverMidi : public ::testing::Test {
protected:
    void SetUp() override { MORVANE_REQUIRE_JACK(); }

    QTemporaryDir dir;
};

TEST_F(KitToolOverMidi, PortsListsEveryDeviceByTheNumberTheEditorUses)
{
    SimulatedController sim;
    ASSERT_TRUE(sim.ready());
    JackMidiDevices editorDevices{OwnClientPrefix};
    const auto inputs = editorDevices.inputNames();
    const auto outputs = editorDevices.outputNames();
    const auto run = runTool(MORVANE_KIT_PROGRAM, {"ports"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string expected;
    for (std::size_t i = 0; i < inputs.size(); ++i) expected += "in " + std::to_string(i) + " " + inputs[i] + "\n";
    for (std::size_t i = 0; i < outputs.size(); ++i) expected += "out " + std::to_string(i) + " " + outputs[i] + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(run.out.find(std::string(" ") + SimulatedController::EditorInputName + "\n"), std::string::npos);
}

TEST_F(KitToolOverMidi, SendDeliversEachFileWholeAndInOrder)
{
    SimulatedController sim;
    ASSERT_TRUE(sim.ready());
    const auto run = runTool(MORVANE_KIT_PROGRAM,
                             {"send", Kit, OtherKit, "--port", SimulatedController::EditorOutputName, "--delay", "50"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(sim.waitForOutput("received-0002.syx"));
    EXPECT_EQ(sim.savedFile(1), exampleKitDump());
    EXPECT_EQ(sim.savedFile(2), exampleKitDump("examples/demo-kit-2.syx"));

    // More than a JACK connection carries in one message: refused, not "sent".
    Bytes huge(100000, 0x22);
    huge.front() = 0xF0;
    huge.back() = 0xF7;
    const auto hugeFile = dir.filePath("huge.syx").toStdString();
    ASSERT_TRUE(saveWholeFile(hugeFile, huge));
    const auto refused =
        runTool(MORVANE_KIT_PROGRAM, {"send", hugeFile, "--port", SimulatedController::EditorOutputName});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("100000 bytes"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "");
}

TEST_F(KitToolOverMidi, ReceiveWritesOneWholeMessageByteForByteAndGivesUpAfterTheTimeout)
{
    JackPeer pad("morvane-test-pad");
    ASSERT_TRUE(pad.ready());
    const auto receive = [&](const std::string& out, const char* timeout) {
        return runTool(MORVANE_KIT_PROGRAM, {"receive", "--port", pad.outName(), "-o", out, "--timeout", timeout});
    };
    // An unfinished piece, then the kit split around active sensing.
    const auto kit = exampleKitDump();
    pad.queue({Bytes(kit.begin(), kit.begin() + 24), Bytes(kit.begin(), kit.begin() + 300), {0xFE},
               Bytes(kit.begin() + 300, kit.end())});
    const auto got = dir.filePath("got.syx").toStdString();
    const auto run = receive(got, "5");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(kit, readWholeFile(got).value());

    const auto none = dir.filePath("none.syx").toStdString();
    EXPECT_EQ(receive(none, "1").exitCode, 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(none)));
}

}  // namespace
