// Kit transfer times through the real editor window, the RtMidi devices and
// a JACK server (start one with scripts/jack-session.sh): the time from the
// last byte a peer sends to the kit shown in the window, and the time from
// F1 to the whole kit at the peer. JACK hands MIDI over once per period, so
// the figures follow the server's period (256 frames at 48 kHz here).
#include "editor/widgets/MainWindow.h"
#include "kit/KitFile.h"
#include "midi/devices/JackMidiDevices.h"
#include "midi/devices/RtMidiDevices.h"
#include "platform/UserSettings.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <benchmark/benchmark.h>
#include <rtmidi/RtMidi.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMenu>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace morvane;
using Clock = std::chrono::steady_clock;

namespace {

const std::string KitFile = MORVANE_SOURCE_DIR "/examples/demo-kit.syx";

// The editor's window with its ports on two virtual ports of a peer.
struct Rig {
    RtMidiOut peerOut{RtMidi::UNIX_JACK, "morvane-bench out"};
    RtMidiIn peerIn{RtMidi::UNIX_JACK, "morvane-bench in"};
    std::atomic<bool> peerGotKit{false};
    JackMidiDevices devices{OwnClientPrefix};
    testing::ScriptedDesktop desktop;
    UserSettings settings;
    testing::RecordingKitHistory history;
    std::unique_ptr<MainWindow> window;

    Rig()
    {
        peerOut.openVirtualPort("peer");
        peerIn.ignoreTypes(false, true, true);
        peerIn.setCallback(&Rig::onPeerMessage, this);
        peerIn.openVirtualPort("peer");
        window = std::make_unique<MainWindow>(desktop, settings, devices, history);
        QEventLoop firstPaint;  // the MIDI side starts after it
        QObject::connect(window.get(), &MainWindow::firstPainted, &firstPaint, &QEventLoop::quit);
        window->start();
        firstPaint.exec();
        choose("mnuMIDI_Input", "morvane-bench out:peer");
        choose("mnuMIDI_Output", "morvane-bench in:peer");
    }

    static void onPeerMessage(double, std::vector<unsigned char>* message, void* rig)
    {
        if (message->size() == KitDumpLength) static_cast<Rig*>(rig)->peerGotKit = true;
    }

    void choose(const char* menuName, const char* deviceName)
    {
        for (auto* item : window->findChild<QMenu*>(menuName)->actions())
            if (item->text() == deviceName) item->trigger();
    }

    void command(const char* name) { window->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
};

Rig& rig()
{
    static Rig instance;
    return instance;
}

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void ReceivedKitShownAfterLastByte(benchmark::State& state)
{
    auto& r = rig();
    const auto kit = readWholeFile(KitFile).value();
    for (auto _ : state) {
        r.window->Status_Update({});
        r.command("MnuSysex_ReceiveSysex");
        r.peerOut.sendMessage(&kit);
        const auto lastByteSent = Clock::now();
        while (r.window->statusText() != "Sysex succesfully received." && secondsSince(lastByteSent) < 2)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        if (secondsSince(lastByteSent) >= 2) {
            state.SkipWithError("the kit never arrived");
            break;
        }
        state.SetIterationTime(secondsSince(lastByteSent));
    }
}

void SendKitUntilThePeerHasIt(benchmark::State& state)
{
    auto& r = rig();
    (void)r.window->openKit(readWholeFile(KitFile).value());
    double commandSeconds = 0;
    for (auto _ : state) {
        r.peerGotKit = false;
        const auto pressed = Clock::now();
        r.command("MnuSysex_SendSysex");
        commandSeconds += secondsSince(pressed);
        while (!r.peerGotKit && secondsSince(pressed) < 2) std::this_thread::sleep_for(std::chrono::microseconds(50));
        if (!r.peerGotKit) {
            state.SkipWithError("the peer never got the kit");
            break;
        }
        state.SetIterationTime(secondsSince(pressed));
    }
    state.counters["F1 command ms"] =
        benchmark::Counter(commandSeconds * 1000, benchmark::Counter::kAvgIterations);
}

BENCHMARK(ReceivedKitShownAfterLastByte)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(SendKitUntilThePeerHasIt)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir configHome;  // the chosen ports must not land in the user's settings
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    qputenv("JACK_NO_START_SERVER", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
