#include "VirtualController.h"

#include "base/Text.h"
#include "kit/KitFile.h"
#include "kit/KitRanges.h"
#include "midi/MidiDevices.h"
#include "midi/devices/RtMidiApis.h"
#include "midi/SysexSender.h"

#include <cstdio>

namespace morvane::sim {
namespace {

const std::string NotListenedTo = "nothing is connected to \"" + VirtualPortName + "\", so nothing was sent";

// Sets usedName to the client name the service knows the port's client by.
template <typename Port>
std::unique_ptr<Port> openVirtual(const std::string& clientName, std::string& usedName)
{
    for (auto api : preferredMidiApis()) {
        try {
            usedName = unusedClientName(api, clientName);
            auto port = std::make_unique<Port>(api, usedName);
            port->openVirtualPort(VirtualPortName);
            return port;
        } catch (const RtMidiError&) {
            // The next service is tried; each one's own words would only puzzle.
        }
    }
    throw RtMidiError("no MIDI service answers: the ALSA sequencer is not loaded and no JACK server is running",
                      RtMidiError::DRIVER_ERROR);
}

}  // namespace

VirtualController::VirtualController(std::filesystem::path saveDir, std::ostream& log)
    : saveDir_(std::move(saveDir)), log_(log), in_(openVirtual<RtMidiIn>(InClientName, inClientName_)),
      out_(openVirtual<RtMidiOut>(OutClientName, outClientName_)),
      watch_(out_->getCurrentApi(), outClientName_, VirtualPortName)
{
    in_->ignoreTypes(false, true, true);
    in_->setCallback(&VirtualController::onMessage, this);
}

VirtualController::~VirtualController() { in_->cancelCallback(); }

bool VirtualController::listenedTo()
{
    std::lock_guard lock(watchMutex_);
    return watch_.connected().value_or(true);
}

Result<std::vector<MidiBytes>> readSysexFile(const std::filesystem::path& path)
{
    using Messages = Result<std::vector<MidiBytes>>;
    auto bytes = readWholeFile(path);
    if (!bytes) return Messages::failure(bytes.error());
    auto messages = splitSysexMessages(bytes.value());
    if (!messages) return Messages::failure(pathToUtf8(path) + ": " + messages.error());
    return messages;
}

Status VirtualController::sendFile(const std::filesystem::path& path)
{
    auto messages = readSysexFile(path);
    if (!messages) return Status::failure(messages.error());
    if (!listenedTo()) return Status::failure(NotListenedTo);
    std::size_t length = 0;
    for (const auto& message : messages.value()) {
        out_->sendMessage(message.data(), message.size());
        length += message.size();
    }
    std::lock_guard lock(logMutex_);
    log_ << "sent " << pathToUtf8(path) << " (" << length << " bytes)" << std::endl;
    return succeeded();
}

Status VirtualController::playNote(const std::string& noteText)
{
    const int note = parseWholeNumber(noteText).value_or(-1);
    if (note < 0 || note > 127) return Status::failure("a note is a number from 0 to 127, not \"" + noteText + "\"");
    if (!listenedTo()) return Status::failure(NotListenedTo);
    const auto key = static_cast<unsigned char>(note);
    const std::vector<unsigned char> on{0x99, key, 100}, off{0x89, key, 0};
    out_->sendMessage(&on);
    out_->sendMessage(&off);
    std::lock_guard lock(logMutex_);
    log_ << "played note " << note << std::endl;
    return succeeded();
}

// Runs on RtMidi's thread; the log and the numbering are shared with the
// main thread, hence the lock.
void VirtualController::onMessage(double, std::vector<unsigned char>* message, void* self)
{
    if (message && !message->empty() && message->front() == SysexStart)
        static_cast<VirtualController*>(self)->save(*message);
}

void VirtualController::save(const std::vector<unsigned char>& message)
{
    std::lock_guard lock(logMutex_);
    const auto file = nextFreeFile();
    if (auto saved = saveWholeFile(file, message); !saved) {
        log_ << "not saved: " << saved.error() << std::endl;
        return;
    }
    log_ << "saved " << pathToUtf8(file) << " (" << message.size() << " bytes)" << std::endl;
}

std::filesystem::path VirtualController::nextFreeFile()
{
    std::filesystem::path file;
    do {
        char name[32];
        std::snprintf(name, sizeof name, "received-%04d.syx", ++lastNumber_);
        file = saveDir_ / name;
    } while (std::filesystem::exists(file));
    return file;
}

}  // namespace morvane::sim
