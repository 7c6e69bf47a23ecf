#include "JackPeer.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <QTest>

#include <csignal>
#include <cstring>

namespace morvane::testing {

namespace {
bool lspAnswers(const QStringList& arguments)
{
    QProcess probe;
    probe.start(QStringLiteral("jack_lsp"), arguments);
    return probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}
}  // namespace

bool jackServerRunning() { return lspAnswers({}); }

JackPeer::JackPeer(const std::string& name) : name_(name)
{
    // A server still busy with a client that just left may refuse a new one
    // for a moment; no server at all is told at once.
    jack_status_t status{};
    for (int attempt = 0; attempt < 20; ++attempt) {
        client_ = jack_client_open(name.c_str(), JackNoStartServer, &status);
        if (client_ || (status & JackServerFailed)) break;
        QTest::qWait(100);
    }
    if (!client_) return;
    // The server renames a client whose name is taken; ports go by the name given.
    name_ = jack_get_client_name(client_);
    out_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    in_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(client_, &JackPeer::onProcess, this);
    if (!out_ || !in_ || jack_activate(client_) != 0) {
        jack_client_close(client_);
        client_ = nullptr;
    }
}

JackPeer::~JackPeer()
{
    if (client_) jack_client_close(client_);
}

bool JackPeer::heard() const { return jack_port_connected(out_) > 0; }

void JackPeer::queue(const std::vector<Bytes>& pieces)
{
    std::lock_guard lock(mutex_);
    toSend_.insert(toSend_.end(), pieces.begin(), pieces.end());
}

bool JackPeer::send(const std::vector<Bytes>& pieces)
{
    queue(pieces);
    return QTest::qWaitFor([&] { std::lock_guard lock(mutex_); return toSend_.empty(); }, 5000);
}

bool JackPeer::waitForReceived(std::size_t count, int milliseconds)
{
    return QTest::qWaitFor([&] { return received().size() >= count; }, milliseconds);
}

std::vector<Bytes> JackPeer::received()
{
    std::lock_guard lock(mutex_);
    return received_;
}

// A test peer: a lock here is fine, it never waits long.
int JackPeer::onProcess(std::uint32_t frames, void* self)
{
    auto* peer = static_cast<JackPeer*>(self);
    void* out = jack_port_get_buffer(peer->out_, frames);
    void* in = jack_port_get_buffer(peer->in_, frames);
    jack_midi_clear_buffer(out);
    std::lock_guard lock(peer->mutex_);
    // Only once someone listens: an event into nothing is lost.
    if (!peer->toSend_.empty() && jack_port_connected(peer->out_) > 0) {
        const auto& piece = peer->toSend_.front();
        if (auto* event = jack_midi_event_reserve(out, 0, piece.size())) std::memcpy(event, piece.data(), piece.size());
        peer->toSend_.pop_front();
    }
    const auto count = jack_midi_get_event_count(in);
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, in, i) == 0) peer->received_.emplace_back(event.buffer, event.buffer + event.size);
    }
    return 0;
}

namespace {
bool onPipeWire() { return qgetenv("MORVANE_JACK_SERVER") == "pipewire"; }
}  // namespace

OwnJackServer::OwnJackServer(const QString& name)
    : serverVariable_(onPipeWire() ? "PIPEWIRE_REMOTE" : "JACK_DEFAULT_SERVER"),
      previousDefault_(qgetenv(serverVariable_))
{
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_.setStandardOutputFile(QProcess::nullDevice());
    if (onPipeWire()) {
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PIPEWIRE_CORE"), name);
        server_.setProcessEnvironment(environment);
        server_.setStandardErrorFile(QProcess::nullDevice());  // it warns of the missing session bus
        server_.start(QStringLiteral("pipewire"), {});
    } else {
        server_.start(QStringLiteral("jackd"),
                      QStringLiteral("-n %1 --no-realtime --sync -d dummy -r 48000 -p 256").arg(name).split(' '));
    }
    qputenv(serverVariable_, name.toUtf8());
    (void)QTest::qWaitFor([&] { return running(); }, 10000);
}

OwnJackServer::~OwnJackServer()
{
    kill();
    previousDefault_.isEmpty() ? qunsetenv(serverVariable_) : qputenv(serverVariable_, previousDefault_);
}

bool OwnJackServer::running()
{
    return server_.state() == QProcess::Running && lspAnswers({});
}

void OwnJackServer::stall() { ::kill(static_cast<pid_t>(server_.processId()), SIGSTOP); }

void OwnJackServer::kill()
{
    if (server_.state() == QProcess::NotRunning) return;
    server_.kill();
    server_.waitForFinished(5000);
}

}  // namespace morvane::testing
