#pragma once

#include <QProcess>
#include <QString>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;

namespace morvane::testing {

using Bytes = std::vector<std::uint8_t>;

// True when a JACK server answers.
bool jackServerRunning();

// End-to-end MIDI tests need a JACK server: on a developer's machine
// without one they are skipped, under CI (CI=true) they fail.
#define MORVANE_REQUIRE_JACK()                                                                      \
    do {                                                                                            \
        if (::morvane::testing::jackServerRunning()) break;                                         \
        if (qgetenv("CI") == "true") FAIL() << "no JACK server runs (CI needs one)";                \
        GTEST_SKIP() << "no JACK server runs; source scripts/jack-session.sh first";                \
    } while (false)

// A controller played through libjack directly, not through the MIDI library
// the editor uses, so a fault of that library cannot hide at both ends. It
// has one output ("NAME:out", an input of the editor's) and one input
// ("NAME:in", an output of the editor's).
class JackPeer {
public:
    explicit JackPeer(const std::string& name);
    ~JackPeer();
    JackPeer(const JackPeer&) = delete;
    JackPeer& operator=(const JackPeer&) = delete;

    bool ready() const { return client_ != nullptr; }
    std::string outName() const { return name_ + ":out"; }
    std::string inName() const { return name_ + ":in"; }
    // True once something listens to our output.
    bool heard() const;

    // Sends each piece as one JACK MIDI event, one period after the other,
    // once something listens; send also waits (letting the caller's events
    // run) until all have gone out.
    void queue(const std::vector<Bytes>& pieces);
    bool send(const std::vector<Bytes>& pieces);
    // Waits (letting the caller's events run) until count events arrived.
    bool waitForReceived(std::size_t count, int milliseconds = 5000);
    std::vector<Bytes> received();

private:
    static int onProcess(std::uint32_t frames, void* self);

    std::string name_;
    jack_client_t* client_ = nullptr;
    jack_port_t* out_ = nullptr;
    jack_port_t* in_ = nullptr;
    std::mutex mutex_;
    std::deque<Bytes> toSend_;
    std::vector<Bytes> received_;
};

// A JACK server of a test's own, with the dummy driver, for tests that stop
// one; the shared server stays healthy. Clients created while it runs talk
// to it (JACK_DEFAULT_SERVER); the default comes back when it is destroyed.
// When the suites run on PipeWire's JACK (MORVANE_JACK_SERVER=pipewire), it
// is a PipeWire server of its own instead (PIPEWIRE_REMOTE).
class OwnJackServer {
public:
    explicit OwnJackServer(const QString& name);
    ~OwnJackServer();
    bool running();
    // Stops the server as a stalled or overloaded one behaves: it answers nothing.
    void stall();
    void kill();

private:
    const char* serverVariable_;
    QByteArray previousDefault_;
    QProcess server_;
};

}  // namespace morvane::testing
