#include "JackMidiDevices.h"

#include "base/Text.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <semaphore>
#include <utility>

namespace morvane {
namespace {

using Clock = std::chrono::steady_clock;

// Several periods of full JACK MIDI buffers: the reader drains it as it fills.
constexpr std::size_t ReceiveRingSize = 256 * 1024;
constexpr std::size_t QueuedChannelMessages = 256;
constexpr auto SendMargin = std::chrono::milliseconds(1000);
constexpr auto PollInterval = std::chrono::milliseconds(1);
// How long the caller waits for the server to answer a call, and how long
// without a period the server is taken for stalled: periods last milliseconds.
constexpr auto AnswerLimit = std::chrono::milliseconds(1000);
constexpr auto SilenceLimit = std::chrono::milliseconds(1000);

// How one received JACK event travels through the ring.
struct EventHeader {
    std::uint64_t opening;
    std::uint32_t size;
};

// A channel message in the ring, with the output opening it was sent on.
struct QueuedChannelMessage {
    std::uint64_t outputOpening;
    ChannelMessage message;
};

void ignoreJackMessage(const char*) {}

Status tooLarge(std::size_t length, std::size_t largest)
{
    return Status::failure("The message has " + std::to_string(length) + " bytes; JACK carries at most " +
                           std::to_string(largest) + " bytes in one MIDI message.");
}

// The longest a send may take: the message's time on a 31,250-baud MIDI
// wire (ten bits a byte: 320 microseconds), plus a margin for the server's
// periods and a busy machine.
std::chrono::milliseconds sendTimeLimit(std::size_t messageLength)
{
    const auto wire = std::chrono::microseconds(320 * static_cast<std::int64_t>(messageLength));
    return std::chrono::ceil<std::chrono::milliseconds>(wire) + SendMargin;
}

Clock::rep now() { return Clock::now().time_since_epoch().count(); }

}  // namespace

// A send waiting for the process callback; owned by the sending thread.
struct JackMidiDevices::PendingSend {
    const std::vector<std::uint8_t>* message = nullptr;
    enum class State { Waiting, Written, DidNotFit };
    std::atomic<State> state{State::Waiting};
};

struct JackMidiDevices::Client {
    enum class State { Opening, Open, NoServer };

    Client()
        : channelMessages(jack_ringbuffer_create(QueuedChannelMessages * sizeof(QueuedChannelMessage))),
          received(jack_ringbuffer_create(ReceiveRingSize))
    {
    }
    ~Client()
    {
        jack_ringbuffer_free(received);
        jack_ringbuffer_free(channelMessages);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    void open(const std::string& name);
    void close();
    void noteListsChanged();
    // Open, and its server has not stopped since.
    bool isUp() const { return state == State::Open && !serverGone; }

    static int onProcess(jack_nframes_t frames, void* self);
    static void onShutdown(void* self);
    static void onPortRegistration(jack_port_id_t port, int registered, void* self);
    void writePendingSend(void* buffer);
    void writeChannelMessages(void* buffer);
    void readInput(void* buffer);

    // Written on the worker before the state turns Open, read only after.
    jack_client_t* handle = nullptr;
    jack_port_t* inPort = nullptr;
    jack_port_t* outPort = nullptr;
    std::atomic<State> state{State::Opening};
    std::atomic<bool> serverGone{false};
    std::atomic<Clock::rep> lastPeriod{0};

    // The chosen devices' ports, and whether they went away since: a device
    // that restarts under the same name may get the same port back, but not our connection.
    std::atomic<const jack_port_t*> inputPort{nullptr};
    std::atomic<bool> inputPortLeft{false};
    std::atomic<const jack_port_t*> outputPort{nullptr};
    std::atomic<bool> outputPortLeft{false};

    std::atomic<PendingSend*> pendingSend{nullptr};
    std::atomic<std::size_t> largestEvent{0};  // as the server last said

    // Written by the sending thread, read by the process callback; what was
    // sent on an output since closed is dropped there.
    jack_ringbuffer_t* channelMessages;
    std::atomic<std::uint64_t> outputOpening{0};

    // Received bytes travel from the process callback through the ring to the
    // reader thread, which frames them and hands whole messages over; the
    // reader is also woken when the device lists change.
    jack_ringbuffer_t* received;
    std::atomic<std::uint64_t> opening{0};  // odd while the input is open
    std::atomic<std::uint64_t> lostEvents{0};
    std::atomic<bool> listsChanged{false};
    std::counting_semaphore<> wake{0};
    std::atomic<bool> stopReading{false};
};

// On the worker thread.
void JackMidiDevices::Client::open(const std::string& name)
{
    handle = jack_client_open(name.c_str(), JackNoStartServer, nullptr);
    if (handle) {
        inPort = jack_port_register(handle, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        outPort = jack_port_register(handle, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        jack_on_shutdown(handle, &Client::onShutdown, this);
        jack_set_port_registration_callback(handle, &Client::onPortRegistration, this);
        jack_set_process_callback(handle, &Client::onProcess, this);
        lastPeriod = now();
        if (inPort && outPort && jack_activate(handle) == 0) {
            state = State::Open;
            noteListsChanged();
            return;
        }
        jack_client_close(handle);
        handle = nullptr;
    }
    state = State::NoServer;
    noteListsChanged();
}

// On the worker thread; no callback runs after this.
void JackMidiDevices::Client::close()
{
    if (state == State::Open) jack_client_close(handle);
}

// Any thread: libjack forbids calling the server from its notification
// thread, so the change is only noted, and the reader tells the window.
void JackMidiDevices::Client::noteListsChanged()
{
    listsChanged = true;
    wake.release();
}

JackMidiDevices::JackMidiDevices(const std::string& clientName, std::string noServer)
    : client_(std::make_shared<Client>()), noServer_(std::move(noServer)), calls_("the JACK server", AnswerLimit)
{
    // libjack prints to stderr when no server runs; a missing server is
    // simply a machine without JACK devices here.
    jack_set_error_function(&ignoreJackMessage);
    jack_set_info_function(&ignoreJackMessage);
    calls_.post([client = client_, clientName] { client->open(clientName); });
    reader_ = std::thread([this] { deliverReceived(); });
}

JackMidiDevices::~JackMidiDevices()
{
    delivery_.inputClosed();
    client_->stopReading = true;
    client_->wake.release();
    reader_.join();
    calls_.finish([client = client_] { client->close(); }, !serverSilent());
}

// Waits, at most the answer limit, for the client opened at construction.
bool JackMidiDevices::clientOpened()
{
    if (client_->state == Client::State::Opening) (void)calls_.call([] { return succeeded(); });
    return client_->state == Client::State::Open;
}

bool JackMidiDevices::running() { return clientOpened() && client_->isUp(); }

// A call to it overdue, or no period for too long.
bool JackMidiDevices::serverSilent() const
{
    return calls_.overdue() ||
           (client_->state == Client::State::Open &&
            Clock::now() - Clock::time_point(Clock::duration(client_->lastPeriod)) > SilenceLimit);
}

Status JackMidiDevices::serviceStatus()
{
    if (!clientOpened())
        return Status::failure(client_->state == Client::State::Opening ? "the JACK server does not answer"
                                                                         : noServer_);
    if (client_->serverGone) return Status::failure("the JACK server has stopped");
    if (serverSilent()) return Status::failure("the JACK server does not answer");
    return succeeded();
}

Status JackMidiDevices::unavailable(const std::string& device, const Status& service)
{
    return Status::failure("The MIDI " + device + " cannot be opened: " + service.error() + ".");
}

std::vector<std::string> JackMidiDevices::portsOfOthers(unsigned long flags)
{
    std::vector<std::string> names;
    if (!running()) return names;
    const char** ports = jack_get_ports(client_->handle, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    for (const char** port = ports; port && *port; ++port)
        if (!isOwnPort(*port)) names.emplace_back(*port);
    jack_free(static_cast<void*>(ports));
    return names;
}

// Our input reads from the ports others write to, and the other way round.
std::vector<std::string> JackMidiDevices::inputNames() { return portsOfOthers(JackPortIsOutput); }
std::vector<std::string> JackMidiDevices::outputNames() { return portsOfOthers(JackPortIsInput); }

Status JackMidiDevices::connect(const std::string& from, const std::string& to, const std::string& device)
{
    auto connected = calls_.call([client = client_, from, to] {
        if (jack_connect(client->handle, from.c_str(), to.c_str()) != 0)
            return Status::failure("the server refused the connection");
        return succeeded();
    });
    if (connected) return connected;
    return Status::failure("The MIDI " + device + " could not be connected: " + connected.error() + ".");
}

Status JackMidiDevices::openInput(const std::string& name)
{
    (void)closeInput();
    const auto device = "input device " + inQuotes(name);
    if (auto service = serviceStatus(); !service) return unavailable(device, service);
    const auto* port = jack_port_by_name(client_->handle, name.c_str());
    if (!port) return Status::failure("The MIDI " + device + " is no longer there.");
    // A new opening: whatever the ring still holds from before is dropped.
    ++client_->opening;
    delivery_.inputOpened();
    inputName_ = name;
    client_->inputPortLeft = false;
    client_->inputPort = port;
    if (auto connected = connect(name, jack_port_name(client_->inPort), device); !connected) {
        (void)closeInput();
        return connected;
    }
    return succeeded();
}

void JackMidiDevices::resetInput()
{
    // Nothing is queued for the device; the ring empties itself per opening.
}

// Never waits: the disconnection is the worker's, before any later connection.
Status JackMidiDevices::closeInput()
{
    if (client_->opening % 2 == 1) ++client_->opening;
    delivery_.inputClosed();
    client_->inputPort = nullptr;
    if (!inputName_.empty() && client_->isUp())
        calls_.post([client = client_] { jack_port_disconnect(client->handle, client->inPort); });
    inputName_.clear();
    return succeeded();
}

Status JackMidiDevices::openOutput(const std::string& name)
{
    closeOutput();
    const auto device = "output device " + inQuotes(name);
    if (auto service = serviceStatus(); !service) return unavailable(device, service);
    const auto* port = jack_port_by_name(client_->handle, name.c_str());
    if (!port) return Status::failure("The MIDI " + device + " is no longer there.");
    // The connection takes effect some periods later; a send before then
    // waits for it in the process callback, so no settle wait is needed here.
    if (auto connected = connect(jack_port_name(client_->outPort), name, device); !connected) return connected;
    outputName_ = name;
    client_->outputPortLeft = false;
    client_->outputPort = port;
    return succeeded();
}

void JackMidiDevices::resetOutput()
{
    // Nothing is ever left queued: a send either was written or was taken back.
}

void JackMidiDevices::closeOutput()
{
    if (!outputName_.empty() && client_->isUp())
        calls_.post([client = client_] { jack_port_disconnect(client->handle, client->outPort); });
    outputName_.clear();
    ++client_->outputOpening;
}

bool JackMidiDevices::inputReachable()
{
    return running() && !inputName_.empty() && !client_->inputPortLeft &&
           jack_port_by_name(client_->handle, inputName_.c_str()) == client_->inputPort;
}

bool JackMidiDevices::outputPortIsTheOpenedOne()
{
    return !client_->outputPortLeft && jack_port_by_name(client_->handle, outputName_.c_str()) == client_->outputPort;
}

// Not whether the connection shows yet: it takes a period or two to.
bool JackMidiDevices::outputReachable() { return running() && !outputName_.empty() && outputPortIsTheOpenedOne(); }

Status JackMidiDevices::refusalToSend(std::size_t length)
{
    if (client_->state != Client::State::Open) return Status::failure("No MIDI output is open.");
    if (client_->serverGone) return Status::failure("The JACK server has stopped.");
    if (outputName_.empty()) return Status::failure("No MIDI output is open.");
    if (serverSilent()) return Status::failure("The JACK server does not answer.");
    if (!jack_port_by_name(client_->handle, outputName_.c_str()))
        return Status::failure("The MIDI output device " + inQuotes(outputName_) + " is no longer there.");
    // A device that restarted under the same name comes back without us. A
    // connection just made may not show yet: the process callback waits for it.
    if (!outputPortIsTheOpenedOne())
        return Status::failure("The MIDI output device " + inQuotes(outputName_) +
                               " is no longer connected (it was restarted).");
    const std::size_t largest = client_->largestEvent;
    if (largest != 0 && length > largest) return tooLarge(length, largest);
    return succeeded();
}

Status JackMidiDevices::sendSysex(const std::vector<std::uint8_t>& message)
{
    if (auto refused = refusalToSend(message.size()); !refused) return refused;
    PendingSend send;
    send.message = &message;
    client_->pendingSend = &send;
    return waitUntilWritten(send);
}

Status JackMidiDevices::sendChannelMessage(const ChannelMessage& message)
{
    if (auto refused = refusalToSend(message.size()); !refused) return refused;
    const QueuedChannelMessage queued{client_->outputOpening, message};
    if (jack_ringbuffer_write_space(client_->channelMessages) < sizeof queued)
        return Status::failure("The MIDI output device " + inQuotes(outputName_) +
                               " is not taking messages (too many are waiting for it).");
    jack_ringbuffer_write(client_->channelMessages, reinterpret_cast<const char*>(&queued), sizeof queued);
    return succeeded();
}

Status JackMidiDevices::untaken(bool serverAnswered) const
{
    if (client_->serverGone) return Status::failure("The JACK server stopped during the send.");
    if (!serverAnswered) return Status::failure("The JACK server did not answer during the send.");
    return Status::failure("The MIDI output device " + inQuotes(outputName_) +
                           " did not take the message in time (is it still connected?).");
}

Status JackMidiDevices::waitUntilWritten(PendingSend& send)
{
    const auto started = now();
    const auto deadline = Clock::now() + sendTimeLimit(send.message->size());
    while (send.state == PendingSend::State::Waiting) {
        if (Clock::now() >= deadline || client_->serverGone) {
            PendingSend* expected = &send;
            // Taken back before the callback claimed it: it never left.
            if (client_->pendingSend.compare_exchange_strong(expected, nullptr))
                return untaken(client_->lastPeriod > started);
            // Claimed: the callback finishes it within microseconds.
            while (send.state == PendingSend::State::Waiting) std::this_thread::yield();
            break;
        }
        std::this_thread::sleep_for(PollInterval);
    }
    if (send.state == PendingSend::State::DidNotFit) return tooLarge(send.message->size(), client_->largestEvent);
    return succeeded();
}

int JackMidiDevices::Client::onProcess(jack_nframes_t frames, void* self)
{
    auto* client = static_cast<Client*>(self);
    client->lastPeriod = now();
    void* out = jack_port_get_buffer(client->outPort, frames);
    client->writePendingSend(out);
    client->writeChannelMessages(out);
    client->readInput(jack_port_get_buffer(client->inPort, frames));
    return 0;
}

// Runs on JACK's real-time thread: no locks, no allocation.
void JackMidiDevices::Client::writePendingSend(void* buffer)
{
    jack_midi_clear_buffer(buffer);
    largestEvent = jack_midi_max_event_size(buffer);
    // Until the connection is in effect, what we write would go nowhere.
    PendingSend* send = pendingSend;
    if (!send || jack_port_connected(outPort) == 0) return;
    if (!pendingSend.compare_exchange_strong(send, nullptr)) return;  // taken back meanwhile
    const auto& message = *send->message;
    auto* event = jack_midi_event_reserve(buffer, 0, message.size());
    if (event) std::memcpy(event, message.data(), message.size());
    send->state = event ? PendingSend::State::Written : PendingSend::State::DidNotFit;
}

// Runs on JACK's real-time thread, after writePendingSend cleared the buffer.
void JackMidiDevices::Client::writeChannelMessages(void* buffer)
{
    if (jack_port_connected(outPort) == 0) return;  // they wait for the connection
    QueuedChannelMessage queued{};
    while (jack_ringbuffer_peek(channelMessages, reinterpret_cast<char*>(&queued), sizeof queued) == sizeof queued) {
        if (queued.outputOpening == outputOpening) {
            auto* event = jack_midi_event_reserve(buffer, 0, queued.message.size());
            if (!event) return;  // this period is full: the next one takes it
            std::memcpy(event, queued.message.data(), queued.message.size());
        }
        jack_ringbuffer_read_advance(channelMessages, sizeof queued);
    }
}

// Runs on JACK's real-time thread: copies each event into the ring, tagged
// with the opening it arrived in, and wakes the reader.
void JackMidiDevices::Client::readInput(void* buffer)
{
    const std::uint64_t current = opening;
    if (current % 2 == 0) return;
    const auto count = jack_midi_get_event_count(buffer);
    bool wrote = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0) continue;
        const EventHeader header{current, static_cast<std::uint32_t>(event.size)};
        if (jack_ringbuffer_write_space(received) < sizeof header + event.size) {
            ++lostEvents;  // the reader drops the message this belonged to
            continue;
        }
        jack_ringbuffer_write(received, reinterpret_cast<const char*>(&header), sizeof header);
        jack_ringbuffer_write(received, reinterpret_cast<const char*>(event.buffer), event.size);
        wrote = true;
    }
    if (wrote) wake.release();
}

void JackMidiDevices::Client::onShutdown(void* self)
{
    auto* client = static_cast<Client*>(self);
    client->serverGone = true;
    client->noteListsChanged();
}

// Runs on JACK's notification thread.
void JackMidiDevices::Client::onPortRegistration(jack_port_id_t port, int registered, void* self)
{
    auto* client = static_cast<Client*>(self);
    if (!registered) {
        const auto* gone = jack_port_by_id(client->handle, port);
        if (gone == client->outputPort) client->outputPortLeft = true;
        if (gone == client->inputPort) client->inputPortLeft = true;
    }
    client->noteListsChanged();
}

// The reader thread: frames what arrived and hands whole messages over, and
// tells the window when the lists changed.
void JackMidiDevices::deliverReceived()
{
    auto& client = *client_;
    std::uint64_t framedOpening = 0;
    std::uint64_t lostSeen = 0;
    std::vector<std::uint8_t> bytes;
    while (true) {
        client.wake.acquire();
        if (client.stopReading) return;
        if (client.listsChanged.exchange(false)) delivery_.postDevicesChanged();
        EventHeader header{};
        while (jack_ringbuffer_read_space(client.received) >= sizeof header) {
            jack_ringbuffer_peek(client.received, reinterpret_cast<char*>(&header), sizeof header);
            // The rest of this event is still being written; its writer wakes us again.
            if (jack_ringbuffer_read_space(client.received) < sizeof header + header.size) break;
            jack_ringbuffer_read_advance(client.received, sizeof header);
            bytes.resize(header.size);
            jack_ringbuffer_read(client.received, reinterpret_cast<char*>(bytes.data()), header.size);
            if (header.opening != client.opening) continue;  // from an opening that has closed
            if (header.opening != framedOpening || client.lostEvents != lostSeen) {
                framer_.reset();
                framedOpening = header.opening;
                lostSeen = client.lostEvents;
            }
            for (auto& event : framer_.take(bytes.data(), bytes.size())) delivery_.post(std::move(event));
        }
    }
}

}  // namespace morvane
