#include "RtMidiDevices.h"

#include "RtMidiApis.h"

#include "base/Text.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace morvane {
namespace {

// RtMidi numbers ports afresh at every listing; a name is looked up just
// before it is used.
std::optional<unsigned> rtMidiNumberOf(RtMidi& port, const std::string& name)
{
    const unsigned count = port.getPortCount();
    for (unsigned i = 0; i < count; ++i)
        if (port.getPortName(i) == name) return i;
    return std::nullopt;
}

std::vector<std::string> listPorts(RtMidi* port)
{
    std::vector<std::string> names;
    if (!port) return names;
    const unsigned count = port->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        auto name = port->getPortName(i);
        if (!name.empty() && !isOwnPort(name)) names.push_back(std::move(name));
    }
    return names;
}

void onRtMidiError(RtMidiError::Type type, const std::string& text, void* devices)
{
    static_cast<RtMidiDevices*>(devices)->recordError(type, text);
}

// What went wrong, in the words our messages use; RtMidi's own text follows
// for whoever looks into it.
std::string inOurWords(RtMidiError::Type type)
{
    switch (type) {
    case RtMidiError::NO_DEVICES_FOUND:
    case RtMidiError::INVALID_DEVICE: return "the MIDI service does not know the device";
    case RtMidiError::DRIVER_ERROR: return "the MIDI driver refused";
    case RtMidiError::SYSTEM_ERROR: return "the system refused";
    case RtMidiError::MEMORY_ERROR: return "the MIDI service ran out of memory";
    case RtMidiError::THREAD_ERROR: return "the MIDI service could not start its thread";
    default: return "the MIDI service refused";
    }
}

bool listed(RtMidi* port, const std::string& name)
{
    const auto names = listPorts(port);
    return std::find(names.begin(), names.end(), name) != names.end();
}

template <typename Port>
std::unique_ptr<Port> connect(RtMidi::Api api, const std::string& clientName)
{
    try {
        return std::make_unique<Port>(api, clientName);
    } catch (const RtMidiError&) {
        return nullptr;  // this service is not there
    }
}

Status failureOf(const std::string& what, const std::string& why)
{
    return Status::failure(why.empty() ? what : what + " (" + why + ")");
}

}  // namespace

// Runs on RtMidi's own thread: frame, copy and hand over, nothing else.
// RtMidi's own SysEx assembly lets real-time bytes and an unfinished piece
// into a message, so its output is framed once more.
void RtMidiDevices::onMessage(double, std::vector<unsigned char>* message, void* listener)
{
    if (!message || message->empty()) return;
    auto* l = static_cast<Listener*>(listener);
    for (auto& event : l->framer.take(message->data(), message->size())) l->delivery->post(std::move(event));
}

RtMidiDevices::RtMidiDevices(RtMidi::Api api, const std::string& clientName)
    : api_(api),
      clientName_(clientName),
      lister_(connect<RtMidiIn>(api, clientName + " in")),
      out_(connect<RtMidiOut>(api, clientName + " out"))
{
    if (lister_) lister_->setErrorCallback(&onRtMidiError, this);
    if (out_) out_->setErrorCallback(&onRtMidiError, this);
}

RtMidiDevices::~RtMidiDevices()
{
    (void)closeInput();
    if (out_) out_->closePort();
}

Status RtMidiDevices::serviceStatus()
{
    if (!available()) return Status::failure(noMidiServiceText());
    return succeeded();
}

std::string RtMidiDevices::serviceName() const
{
    return api_ == RtMidi::LINUX_ALSA ? "the ALSA sequencer" : "the system's MIDI service";
}

std::vector<std::string> RtMidiDevices::inputNames()
{
    auto names = listPorts(lister_.get());
    takeError();  // a missing service while listing just means no devices
    return names;
}

std::vector<std::string> RtMidiDevices::outputNames()
{
    auto names = listPorts(out_.get());
    takeError();
    return names;
}

Status RtMidiDevices::openInput(const std::string& name)
{
    (void)closeInput();
    // RtMidi keeps an unfinished SysEx across a close and reopen; a new
    // input object starts every opening empty.
    in_ = connect<RtMidiIn>(api_, clientName_ + " in");
    if (!in_) return Status::failure("No MIDI service is available.");
    in_->setErrorCallback(&onRtMidiError, this);
    const auto number = rtMidiNumberOf(*in_, name);
    if (!number) {
        in_.reset();
        return Status::failure("The MIDI input device " + inQuotes(name) + " is no longer there.");
    }
    in_->ignoreTypes(false, true, true);  // timing and active sensing are noise here
    listener_ = std::make_unique<Listener>(Listener{{}, &delivery_});
    in_->setCallback(&RtMidiDevices::onMessage, listener_.get());
    delivery_.inputOpened();
    in_->openPort(*number, OwnClientPrefix);
    auto why = takeError();
    if (!in_->isPortOpen()) {
        (void)closeInput();
        return failureOf("The MIDI input device " + inQuotes(name) + " could not be opened.", why);
    }
    openInputName_ = name;
    return succeeded();
}

void RtMidiDevices::resetInput()
{
    // RtMidi holds no queued buffers to hand back; whatever is still on its
    // way to the window is dropped when the input closes.
}

Status RtMidiDevices::closeInput()
{
    delivery_.inputClosed();
    if (in_) {
        in_->cancelCallback();
        in_->closePort();
        in_.reset();
    }
    listener_.reset();
    openInputName_.clear();
    takeError();
    return succeeded();
}

Status RtMidiDevices::openOutput(const std::string& name)
{
    if (!out_) return Status::failure("No MIDI service is available.");
    closeOutput();
    const auto number = rtMidiNumberOf(*out_, name);
    if (!number) return Status::failure("The MIDI output device " + inQuotes(name) + " is no longer there.");
    out_->openPort(*number, OwnClientPrefix);
    auto why = takeError();
    if (!out_->isPortOpen())
        return failureOf("The MIDI output device " + inQuotes(name) + " could not be opened.", why);
    openOutputName_ = name;
    return succeeded();
}

void RtMidiDevices::resetOutput()
{
    // Nothing is ever left queued: every send hands its message over whole.
}

void RtMidiDevices::closeOutput()
{
    if (out_ && out_->isPortOpen()) out_->closePort();
    openOutputName_.clear();
    takeError();
}

bool RtMidiDevices::inputReachable()
{
    if (!in_ || !in_->isPortOpen()) return false;
    const bool there = listed(lister_.get(), openInputName_);
    takeError();
    return there;
}

bool RtMidiDevices::outputReachable()
{
    if (!out_ || !out_->isPortOpen()) return false;
    const bool there = listed(out_.get(), openOutputName_);
    takeError();
    return there;
}

Status RtMidiDevices::sendSysex(const std::vector<std::uint8_t>& message)
{
    return send(message.data(), message.size());
}

// Each service queues a channel message and returns; none waits for the device.
Status RtMidiDevices::sendChannelMessage(const ChannelMessage& message)
{
    return send(message.data(), message.size());
}

Status RtMidiDevices::send(const std::uint8_t* bytes, std::size_t count)
{
    if (!out_ || !out_->isPortOpen()) return Status::failure("No MIDI output is open.");
    // A vanished device would swallow the message without a word.
    if (!outputReachable())
        return Status::failure("The MIDI output device " + inQuotes(openOutputName_) + " is no longer there.");
    takeError();
    // RtMidi copies the message (or, on Windows, waits only while the driver
    // is still playing it), so the bytes may be reused on return and a
    // refusing device ends the call with an error rather than a hang.
    out_->sendMessage(bytes, count);
    if (auto why = takeError(); !why.empty()) return Status::failure("The message was not sent: " + why);
    return succeeded();
}

void RtMidiDevices::recordError(RtMidiError::Type type, const std::string& text)
{
    std::lock_guard lock(errorMutex_);
    lastError_ = inOurWords(type) + " (" + text + ")";
}

std::string RtMidiDevices::takeError()
{
    std::lock_guard lock(errorMutex_);
    return std::exchange(lastError_, {});
}

}  // namespace morvane
