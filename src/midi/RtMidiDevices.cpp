#include "RtMidiDevices.h"

#include "RtMidiApis.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace morvane {
namespace {

constexpr std::uint8_t SysexStart = 0xF0;

struct ListedPort {
    unsigned rtMidiNumber;
    std::string name;
};

bool isOwnPort(const std::string& name) { return name.rfind(OwnClientPrefix, 0) == 0; }

std::vector<ListedPort> listPorts(RtMidi* port)
{
    std::vector<ListedPort> ports;
    if (!port) return ports;
    const unsigned count = port->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        auto name = port->getPortName(i);
        if (!name.empty() && !isOwnPort(name)) ports.push_back({i, std::move(name)});
    }
    return ports;
}

std::vector<std::string> namesOf(const std::vector<ListedPort>& ports)
{
    std::vector<std::string> names;
    for (const auto& p : ports) names.push_back(p.name);
    return names;
}

void onRtMidiError(RtMidiError::Type, const std::string& text, void* devices)
{
    static_cast<RtMidiDevices*>(devices)->recordError(text);
}

// Runs on RtMidi's own thread: copy and hand over, nothing else.
void onRtMidiMessage(double, std::vector<unsigned char>* message, void* delivery)
{
    if (!message || message->empty()) return;
    MidiInputEvent event;
    event.kind = message->front() == SysexStart ? MidiInputEvent::Kind::Sysex : MidiInputEvent::Kind::Short;
    event.bytes.assign(message->begin(), message->end());
    static_cast<InputDelivery*>(delivery)->post(std::move(event));
}

template <typename Port>
std::unique_ptr<Port> connectFirstAvailable(const std::string& clientName)
{
    for (auto api : preferredMidiApis()) {
        try {
            return std::make_unique<Port>(api, clientName);
        } catch (const RtMidiError&) {
            // This service is not there; try the next one.
        }
    }
    return nullptr;
}

Status failureOf(const std::string& what, const std::string& why)
{
    return Status::failure(why.empty() ? what : what + " (" + why + ")");
}

}  // namespace

RtMidiDevices::RtMidiDevices(const std::string& clientName)
    : in_(connectFirstAvailable<RtMidiIn>(clientName + " in")),
      out_(connectFirstAvailable<RtMidiOut>(clientName + " out"))
{
    if (in_) {
        in_->setErrorCallback(&onRtMidiError, this);
        // Only timing and active sensing are noise here; SysEx is the point.
        in_->ignoreTypes(false, true, true);
        in_->setCallback(&onRtMidiMessage, &delivery_);
    }
    if (out_) out_->setErrorCallback(&onRtMidiError, this);
}

RtMidiDevices::~RtMidiDevices()
{
    if (in_) {
        delivery_.inputClosed();
        in_->cancelCallback();
        in_->closePort();
    }
    if (out_) out_->closePort();
}

std::string RtMidiDevices::apiName() const
{
    if (in_) return RtMidi::getApiDisplayName(in_->getCurrentApi());
    if (out_) return RtMidi::getApiDisplayName(out_->getCurrentApi());
    return {};
}

std::vector<std::string> RtMidiDevices::inputNames()
{
    auto names = namesOf(listPorts(in_.get()));
    takeError();  // a missing server while listing just means no devices
    return names;
}

std::vector<std::string> RtMidiDevices::outputNames()
{
    auto names = namesOf(listPorts(out_.get()));
    takeError();
    return names;
}

Status RtMidiDevices::openInput(int device)
{
    if (!in_) return Status::failure("No MIDI service is available.");
    (void)closeInput();
    const auto ports = listPorts(in_.get());
    takeError();
    if (device < 0 || device >= static_cast<int>(ports.size()))
        return Status::failure("There is no MIDI input device number " + std::to_string(device) + ".");
    in_->openPort(ports[static_cast<std::size_t>(device)].rtMidiNumber, OwnClientPrefix);
    auto why = takeError();
    if (!in_->isPortOpen())
        return failureOf("The MIDI input device \"" + ports[static_cast<std::size_t>(device)].name +
                             "\" could not be opened.",
                         why);
    delivery_.inputOpened();
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
    if (in_ && in_->isPortOpen()) in_->closePort();
    takeError();
    return succeeded();
}

Status RtMidiDevices::openOutput(int device)
{
    if (!out_) return Status::failure("No MIDI service is available.");
    closeOutput();
    const auto ports = listPorts(out_.get());
    takeError();
    if (device < 0 || device >= static_cast<int>(ports.size()))
        return Status::failure("There is no MIDI output device number " + std::to_string(device) + ".");
    const auto& port = ports[static_cast<std::size_t>(device)];
    out_->openPort(port.rtMidiNumber, OwnClientPrefix);
    auto why = takeError();
    if (!out_->isPortOpen())
        return failureOf("The MIDI output device \"" + port.name + "\" could not be opened.", why);
    openOutputName_ = port.name;
    // JACK puts a new connection into effect some process cycles later; a
    // message sent before then is silently lost, so give it that time.
    if (out_->getCurrentApi() == RtMidi::UNIX_JACK) std::this_thread::sleep_for(std::chrono::milliseconds(100));
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

bool RtMidiDevices::outputStillPresent()
{
    const auto names = namesOf(listPorts(out_.get()));
    takeError();
    return std::find(names.begin(), names.end(), openOutputName_) != names.end();
}

bool RtMidiDevices::outputReachable() { return out_ && out_->isPortOpen() && outputStillPresent(); }

Status RtMidiDevices::sendSysex(const std::vector<std::uint8_t>& message)
{
    if (!out_ || !out_->isPortOpen()) return Status::failure("No MIDI output is open.");
    // A vanished device would swallow the message without a word.
    if (!outputStillPresent())
        return Status::failure("The MIDI output device \"" + openOutputName_ + "\" is no longer there.");
    takeError();
    // RtMidi copies the message (or, on Windows, waits only while the driver
    // is still playing it), so the bytes may be reused on return and a
    // refusing device ends the call with an error rather than a hang.
    out_->sendMessage(message.data(), message.size());
    if (auto why = takeError(); !why.empty()) return Status::failure("The message was not sent: " + why);
    return succeeded();
}

void RtMidiDevices::setInputHandler(InputHandler handler) { delivery_.setHandler(std::move(handler)); }

void RtMidiDevices::recordError(const std::string& text)
{
    std::lock_guard lock(errorMutex_);
    lastError_ = text;
}

std::string RtMidiDevices::takeError()
{
    std::lock_guard lock(errorMutex_);
    return std::exchange(lastError_, {});
}

}  // namespace morvane
