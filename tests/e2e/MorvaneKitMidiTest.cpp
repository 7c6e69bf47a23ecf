// morvane-kit ports, send and receive against a controller played through libjack.
#include "kit/KitFile.h"
#include "midi/devices/JackMidiDevices.h"
#include "support/JackPeer.h"
#include "support/KitFiles.h"
#include "support/ToolRun.h"

#include <QFile>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace morvane;
using namespace morvane::testing;

namespace {

class KitToolOverMidi : public ::testing::Test {
protected:
    void SetUp() override
    {
        MORVANE_REQUIRE_JACK();
        ASSERT_TRUE(pad.ready());
    }

    QTemporaryDir dir;
    JackPeer pad{"morvane-test-pad"};
};

TEST_F(KitToolOverMidi, PortsListsEveryDeviceByTheNumberTheEditorUses)
{
    JackMidiDevices editor{OwnClientPrefix};
    std::string expected;
    for (const auto& [kind, names] : {std::pair{"in ", editor.inputNames()}, std::pair{"out ", editor.outputNames()}})
        for (std::size_t i = 0; i < names.size(); ++i) expected += kind + std::to_string(i) + " " + names[i] + "\n";
    EXPECT_NE(expected.find(" " + pad.outName() + "\n"), std::string::npos);
    EXPECT_EQ(runTool(MORVANE_KIT_PROGRAM, {"ports"}).out, expected);
}

TEST_F(KitToolOverMidi, SendDeliversEachFileWholeAndInOrder)
{
    const auto run = runTool(MORVANE_KIT_PROGRAM, {"send", MORVANE_SOURCE_DIR "/examples/demo-kit.syx",
                                                   MORVANE_SOURCE_DIR "/examples/demo-kit-2.syx", "--port",
                                                   pad.inName(), "--delay", "50"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(pad.waitForReceived(2));
    EXPECT_EQ(pad.received(), (std::vector<Bytes>{exampleKitDump(), exampleKitDump("examples/demo-kit-2.syx")}));
}

TEST_F(KitToolOverMidi, ReceiveWritesOneWholeMessageByteForByteAndGivesUpAfterTheTimeout)
{
    const auto receive = [&](const std::string& out, const char* timeout) {
        return runTool(MORVANE_KIT_PROGRAM, {"receive", "--port", pad.outName(), "-o", out, "--timeout", timeout});
    };
    // Pieces, real-time bytes and unfinished messages are the framer's, proved on it.
    const auto kit = exampleKitDump();
    pad.queue({kit});
    const auto got = dir.filePath("got.syx").toStdString();
    const auto run = receive(got, "5");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(kit, readWholeFile(got).value());

    const auto none = dir.filePath("none.syx").toStdString();
    EXPECT_EQ(receive(none, "1").exitCode, 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(none)));
}

// Two kits, one of them twice, and a message that is no kit, then Ctrl+C:
// each kit is kept once with an event per receive, the message is named, and
// the summary still comes. With nothing received, the exit status is 1.
TEST_F(KitToolOverMidi, LibraryReceiveKeepsEachKitOnceUntilCtrlC)
{
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    const Bytes identityRequest{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
    pad.queue({exampleKitDump(), exampleKitDump("examples/demo-kit-2.syx"), identityRequest, exampleKitDump()});
    QProcess receive;
    receive.start(MORVANE_KIT_PROGRAM, {"library", "receive", "--port", QString::fromStdString(pad.outName())});
    QStringList lines;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        lines += QString(receive.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        return lines.size() == 4;
    }, 10000));
    ::kill(static_cast<pid_t>(receive.processId()), SIGINT);
    ASSERT_TRUE(receive.waitForFinished(5000));
    EXPECT_EQ(receive.exitCode(), 0) << receive.readAllStandardError().toStdString();
    lines += QString(receive.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("new kit ") && lines[1].startsWith("new kit ")) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[2], "not a kit     The kit dump is too short (6 bytes); a kit dump has 746 bytes.");
    EXPECT_EQ(lines[3], "already known" + lines[0].mid(13));
    EXPECT_EQ(lines[4], "3 kits recorded (2 new, 1 already known); 1 message not a kit.");
    const auto history = runTool(MORVANE_KIT_PROGRAM, {"library", "history", lines[0].mid(14, 12).toStdString()});
    EXPECT_EQ(QString::fromStdString(history.out).count("received from " + QString::fromStdString(pad.outName())), 2);
    EXPECT_EQ(runTool(MORVANE_KIT_PROGRAM, {"library", "receive", "--port", pad.outName(), "--timeout", "1"}).exitCode,
              1);
    qputenv("XDG_DATA_HOME", dataHome);
}

// The server stalls (as when stopped) or dies while receive waits, and send
// starts after it: each ends with exit status 1 and the reason.
// Not on the fixture: a process reaches one JACK server at a time.
TEST(KitToolOverMidiOnAServerThatStops, SendAndReceiveEndWithTheReason)
{
    MORVANE_REQUIRE_JACK();
    QTemporaryDir dir;
    for (const bool killed : {false, true}) {
        OwnJackServer server(QStringLiteral("morvane-test-stopping"));
        JackPeer peer("morvane-test-pad");
        ASSERT_TRUE(peer.ready());
        QProcess receive;
        receive.start(MORVANE_KIT_PROGRAM,
                      {"receive", "--port", QString::fromStdString(peer.outName()), "-o", dir.filePath("got.syx")});
        ASSERT_TRUE(QTest::qWaitFor([&] { return peer.heard(); }));
        killed ? server.kill() : server.stall();
        EXPECT_TRUE(receive.waitForFinished(5000));
        EXPECT_EQ(receive.exitCode(), 1);
        EXPECT_TRUE(receive.readAllStandardError().contains(killed ? "the JACK server has stopped"
                                                                   : "the JACK server does not answer"));
        const auto sent = runTool(MORVANE_KIT_PROGRAM, {"send", MORVANE_SOURCE_DIR "/examples/demo-kit.syx", "--port",
                                                        peer.inName()});
        EXPECT_EQ(sent.exitCode, 1);
        EXPECT_NE(sent.err.find(killed ? "no JACK server is running" : "the JACK server does not answer"),
                  std::string::npos) << sent.err;
        server.kill();  // before the peer closes: a stalled server would never let it
    }
}

}  // namespace

// Two simulators on one server, the second typed to as a user would.
TEST_F(KitToolOverMidi, SimulatorSaysItsOwnNameRefusesWhatIsNoNoteAndSendsNothingUnheard)
{
    EXPECT_EQ(runTool(MORVANE_SIM_PROGRAM, {"--send", dir.filePath("gone.syx").toStdString()}).exitCode, 1);
    QProcess first, second;
    for (auto* sim : {&first, &second}) {
        sim->setWorkingDirectory(dir.path());
        sim->start(MORVANE_SIM_PROGRAM, {});
        ASSERT_TRUE(sim->waitForReadyRead(10000));
    }
    EXPECT_TRUE(second.readAllStandardOutput().contains("output \"morvane-sim out-01:Morvane (virtual)\""));
    second.write("note 12abc\nnote 1e2\nnote 38 40\nnote 38\nquit\n");
    ASSERT_TRUE(second.waitForFinished(10000));
    const QString refused = "morvane-sim: a note is a number from 0 to 127, not \"%1\"\n";
    EXPECT_EQ(QString(second.readAllStandardError()),
              refused.arg("12abc") + refused.arg("1e2") + refused.arg("38 40") +
                  "morvane-sim: nothing is connected to \"Morvane (virtual)\", so nothing was sent\n");
    first.write("quit\n");
    EXPECT_TRUE(first.waitForFinished(10000));
}
