#include "JackMidiDevices.h"

#include "base/Text.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <chrono>
#include <cstring>
#include <utility>

namespace morvane {
namespace {

// Several periods of full JACK MIDI buffers: the reader drains it as it fills.
constexpr std::size_t ReceiveRingSize = 256 * 1024;
constexpr std::size_t QueuedChannelMessages = 256;
constexpr auto SendMargin = std::chrono::milliseconds(1000);
constexpr auto PollInterval = std::chrono::milliseconds(1);

// How one received JACK event travels through the ring.
struct EventHeader {
    std::uint64_t opening;
    std::uint32_t size;
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

}  // namespace

JackMidiDevices::JackMidiDevices(const std::string& clientName)
    : channelMessages_(jack_ringbuffer_create(QueuedChannelMessages * sizeof(QueuedChannelMessage))),
      received_(jack_ringbuffer_create(ReceiveRingSize))
{
    // libjack prints to stderr when no server runs; a missing server is
    // simply a machine without JACK devices here.
    jack_set_error_function(&ignoreJackMessage);
    jack_set_info_function(&ignoreJackMessage);
    client_ = jack_client_open(clientName.c_str(), JackNoStartServer, nullptr);
    if (!client_) return;
    inPort_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    outPort_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_on_shutdown(client_, &JackMidiDevices::onShutdown, this);
    jack_set_port_registration_callback(client_, &JackMidiDevices::onPortRegistration, this);
    jack_set_process_callback(client_, &JackMidiDevices::onProcess, this);
    if (!inPort_ || !outPort_ || jack_activate(client_) != 0) {
        jack_client_close(client_);
        client_ = nullptr;
        return;
    }
    reader_ = std::thread([this] { deliverReceived(); });
}

JackMidiDevices::~JackMidiDevices()
{
    if (client_) {
        delivery_.inputClosed();
        jack_client_close(client_);  // no callback runs after this
    }
    stopReading_ = true;
    bytesArrived_.release();
    if (reader_.joinable()) reader_.join();
    jack_ringbuffer_free(received_);
    jack_ringbuffer_free(channelMessages_);
}

bool JackMidiDevices::serverRunning() const { return client_ && !serverGone_; }

std::vector<std::string> JackMidiDevices::portsOfOthers(unsigned long flags)
{
    std::vector<std::string> names;
    if (!serverRunning()) return names;
    const char** ports = jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    for (const char** port = ports; port && *port; ++port)
        if (!isOwnPort(*port)) names.emplace_back(*port);
    jack_free(static_cast<void*>(ports));
    return names;
}

// Our input reads from the ports others write to, and the other way round.
std::vector<std::string> JackMidiDevices::inputNames() { return portsOfOthers(JackPortIsOutput); }
std::vector<std::string> JackMidiDevices::outputNames() { return portsOfOthers(JackPortIsInput); }

Status JackMidiDevices::openInput(const std::string& name)
{
    (void)closeInput();
    if (!serverRunning()) return Status::failure("The JACK server is not running.");
    if (!jack_port_by_name(client_, name.c_str()))
        return Status::failure("The MIDI input device " + inQuotes(name) + " is no longer there.");
    // A new opening: whatever the ring still holds from before is dropped.
    ++opening_;
    delivery_.inputOpened();
    if (jack_connect(client_, name.c_str(), jack_port_name(inPort_)) != 0) {
        (void)closeInput();
        return Status::failure("The MIDI input device " + inQuotes(name) + " could not be connected.");
    }
    return succeeded();
}

void JackMidiDevices::resetInput()
{
    // Nothing is queued for the device; the ring empties itself per opening.
}

Status JackMidiDevices::closeInput()
{
    if (opening_ % 2 == 1) ++opening_;
    delivery_.inputClosed();
    if (serverRunning()) jack_port_disconnect(client_, inPort_);
    return succeeded();
}

Status JackMidiDevices::openOutput(const std::string& name)
{
    closeOutput();
    if (!serverRunning()) return Status::failure("The JACK server is not running.");
    if (!jack_port_by_name(client_, name.c_str()))
        return Status::failure("The MIDI output device " + inQuotes(name) + " is no longer there.");
    // The connection takes effect some periods later; a send before then
    // waits for it in the process callback, so no settle wait is needed here.
    if (jack_connect(client_, jack_port_name(outPort_), name.c_str()) != 0)
        return Status::failure("The MIDI output device " + inQuotes(name) + " could not be connected.");
    outputName_ = name;
    outputPortLeft_ = false;
    outputPort_ = jack_port_by_name(client_, name.c_str());
    return succeeded();
}

void JackMidiDevices::resetOutput()
{
    // Nothing is ever left queued: a send either was written or was taken back.
}

void JackMidiDevices::closeOutput()
{
    if (serverRunning() && !outputName_.empty()) jack_port_disconnect(client_, outPort_);
    outputName_.clear();
    ++outputOpening_;
}

bool JackMidiDevices::outputPortIsTheOpenedOne()
{
    return !outputPortLeft_ && jack_port_by_name(client_, outputName_.c_str()) == outputPort_;
}

bool JackMidiDevices::outputReachable()
{
    return serverRunning() && !outputName_.empty() && outputPortIsTheOpenedOne() &&
           jack_port_connected_to(outPort_, outputName_.c_str());
}

Status JackMidiDevices::refusalToSend(std::size_t length)
{
    if (!client_) return Status::failure("No MIDI output is open.");
    if (serverGone_) return Status::failure("The JACK server has stopped.");
    if (outputName_.empty()) return Status::failure("No MIDI output is open.");
    if (!jack_port_by_name(client_, outputName_.c_str()))
        return Status::failure("The MIDI output device " + inQuotes(outputName_) + " is no longer there.");
    // A device that restarted under the same name comes back without us. A
    // connection just made may not show yet: the process callback waits for it.
    if (!outputPortIsTheOpenedOne())
        return Status::failure("The MIDI output device " + inQuotes(outputName_) +
                               " is no longer connected (it was restarted).");
    const std::size_t largest = largestEvent_;
    if (largest != 0 && length > largest)
        return tooLarge(length, largest);
    return succeeded();
}

Status JackMidiDevices::sendSysex(const std::vector<std::uint8_t>& message)
{
    if (auto refused = refusalToSend(message.size()); !refused) return refused;
    PendingSend send;
    send.message = &message;
    pendingSend_ = &send;
    return waitUntilWritten(send);
}

Status JackMidiDevices::sendChannelMessage(const ChannelMessage& message)
{
    if (auto refused = refusalToSend(message.size()); !refused) return refused;
    const QueuedChannelMessage queued{outputOpening_, message};
    if (jack_ringbuffer_write_space(channelMessages_) < sizeof queued)
        return Status::failure("The MIDI output device " + inQuotes(outputName_) +
                               " is not taking messages (too many are waiting for it).");
    jack_ringbuffer_write(channelMessages_, reinterpret_cast<const char*>(&queued), sizeof queued);
    return succeeded();
}

Status JackMidiDevices::untaken() const
{
    if (serverGone_) return Status::failure("The JACK server stopped during the send.");
    return Status::failure("The MIDI output device " + inQuotes(outputName_) +
                           " did not take the message in time (is it still connected?).");
}

Status JackMidiDevices::waitUntilWritten(PendingSend& send)
{
    const auto deadline = std::chrono::steady_clock::now() + sendTimeLimit(send.message->size());
    while (send.state == PendingSend::State::Waiting) {
        if (std::chrono::steady_clock::now() >= deadline || serverGone_) {
            PendingSend* expected = &send;
            // Taken back before the callback claimed it: it never left.
            if (pendingSend_.compare_exchange_strong(expected, nullptr)) return untaken();
            // Claimed: the callback finishes it within microseconds.
            while (send.state == PendingSend::State::Waiting) std::this_thread::yield();
            break;
        }
        std::this_thread::sleep_for(PollInterval);
    }
    if (send.state == PendingSend::State::DidNotFit) return tooLarge(send.message->size(), largestEvent_);
    return succeeded();
}

int JackMidiDevices::onProcess(jack_nframes_t frames, void* self)
{
    auto* devices = static_cast<JackMidiDevices*>(self);
    void* out = jack_port_get_buffer(devices->outPort_, frames);
    devices->writePendingSend(out);
    devices->writeChannelMessages(out);
    devices->readInput(jack_port_get_buffer(devices->inPort_, frames));
    return 0;
}

// Runs on JACK's real-time thread: no locks, no allocation.
void JackMidiDevices::writePendingSend(void* buffer)
{
    jack_midi_clear_buffer(buffer);
    largestEvent_ = jack_midi_max_event_size(buffer);
    // Until the connection is in effect, what we write would go nowhere.
    PendingSend* send = pendingSend_;
    if (!send || jack_port_connected(outPort_) == 0) return;
    if (!pendingSend_.compare_exchange_strong(send, nullptr)) return;  // taken back meanwhile
    const auto& message = *send->message;
    auto* event = jack_midi_event_reserve(buffer, 0, message.size());
    if (event) std::memcpy(event, message.data(), message.size());
    send->state = event ? PendingSend::State::Written : PendingSend::State::DidNotFit;
}

// Runs on JACK's real-time thread, after writePendingSend cleared the buffer.
void JackMidiDevices::writeChannelMessages(void* buffer)
{
    if (jack_port_connected(outPort_) == 0) return;  // they wait for the connection
    QueuedChannelMessage queued{};
    while (jack_ringbuffer_peek(channelMessages_, reinterpret_cast<char*>(&queued), sizeof queued) == sizeof queued) {
        if (queued.outputOpening == outputOpening_) {
            auto* event = jack_midi_event_reserve(buffer, 0, queued.message.size());
            if (!event) return;  // this period is full: the next one takes it
            std::memcpy(event, queued.message.data(), queued.message.size());
        }
        jack_ringbuffer_read_advance(channelMessages_, sizeof queued);
    }
}

// Runs on JACK's real-time thread: copies each event into the ring, tagged
// with the opening it arrived in, and wakes the reader.
void JackMidiDevices::readInput(void* buffer)
{
    const std::uint64_t opening = opening_;
    if (opening % 2 == 0) return;
    const auto count = jack_midi_get_event_count(buffer);
    bool wrote = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0) continue;
        const EventHeader header{opening, static_cast<std::uint32_t>(event.size)};
        if (jack_ringbuffer_write_space(received_) < sizeof header + event.size) {
            ++lostEvents_;  // the reader drops the message this belonged to
            continue;
        }
        jack_ringbuffer_write(received_, reinterpret_cast<const char*>(&header), sizeof header);
        jack_ringbuffer_write(received_, reinterpret_cast<const char*>(event.buffer), event.size);
        wrote = true;
    }
    if (wrote) bytesArrived_.release();
}

void JackMidiDevices::onShutdown(void* self) { static_cast<JackMidiDevices*>(self)->serverGone_ = true; }

// Runs on JACK's notification thread.
void JackMidiDevices::onPortRegistration(jack_port_id_t port, int registered, void* self)
{
    auto* devices = static_cast<JackMidiDevices*>(self);
    if (!registered && jack_port_by_id(devices->client_, port) == devices->outputPort_)
        devices->outputPortLeft_ = true;
}

// The reader thread: frames what arrived and hands whole messages over.
void JackMidiDevices::deliverReceived()
{
    std::uint64_t framedOpening = 0;
    std::uint64_t lostSeen = 0;
    std::vector<std::uint8_t> bytes;
    while (true) {
        bytesArrived_.acquire();
        if (stopReading_) return;
        EventHeader header{};
        while (jack_ringbuffer_read_space(received_) >= sizeof header) {
            jack_ringbuffer_peek(received_, reinterpret_cast<char*>(&header), sizeof header);
            // The rest of this event is still being written; its writer wakes us again.
            if (jack_ringbuffer_read_space(received_) < sizeof header + header.size) break;
            jack_ringbuffer_read_advance(received_, sizeof header);
            bytes.resize(header.size);
            jack_ringbuffer_read(received_, reinterpret_cast<char*>(bytes.data()), header.size);
            if (header.opening != opening_) continue;  // from an opening that has closed
            if (header.opening != framedOpening || lostEvents_ != lostSeen) {
                framer_.reset();
                framedOpening = header.opening;
                lostSeen = lostEvents_;
            }
            for (auto& event : framer_.take(bytes.data(), bytes.size())) delivery_.post(std::move(event));
        }
    }
}

void JackMidiDevices::setInputHandler(InputHandler handler) { delivery_.setHandler(std::move(handler)); }

}  // namespace morvane
