#include "SysexSender.h"

#include "platform/Desktop.h"

namespace morvane {

Result<std::vector<MidiBytes>> splitSysexMessages(const MidiBytes& bytes)
{
    using Messages = std::vector<MidiBytes>;
    if (bytes.empty()) return Result<Messages>::failure("There are no bytes to send.");
    Messages messages;
    std::size_t start = 0;
    while (start < bytes.size()) {
        if (bytes[start] != SysexStart)
            return Result<Messages>::failure("Byte " + std::to_string(start) + " (value " +
                                             std::to_string(bytes[start]) +
                                             ") does not start a System Exclusive message.");
        std::size_t end = start + 1;
        while (end < bytes.size() && bytes[end] < 0x80) ++end;
        if (end == bytes.size())
            return Result<Messages>::failure("The System Exclusive message starting at byte " +
                                             std::to_string(start) + " has no closing 247.");
        if (bytes[end] != SysexEnd)
            return Result<Messages>::failure("The System Exclusive message starting at byte " +
                                             std::to_string(start) + " is broken by the status byte " +
                                             std::to_string(bytes[end]) + " at byte " +
                                             std::to_string(end) + ".");
        messages.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                              bytes.begin() + static_cast<std::ptrdiff_t>(end + 1));
        start = end + 1;
    }
    return messages;
}

QString withReason(const QString& text, const std::string& why)
{
    return text + QStringLiteral("\n\n") + QString::fromStdString(why);
}

Status sendSysexMessages(MidiDevices& devices, const std::vector<MidiBytes>& messages)
{
    for (const auto& message : messages)
        if (auto sent = devices.sendSysex(message); !sent) return sent;
    return succeeded();
}

Status Send_Sysex(MidiDevices& devices, Desktop& desktop, const MidiBytes& bytes)
{
    auto messages = splitSysexMessages(bytes);
    if (!messages) {
        desktop.messageBox(QStringLiteral("These bytes cannot be sent: ") +
                               QString::fromStdString(messages.error()),
                           MessageStyle::Critical);
        return Status::failure(messages.error());
    }
    if (auto sent = sendSysexMessages(devices, messages.value()); !sent) {
        desktop.messageBox(withReason(QStringLiteral("PROBLEM IN SENDING SOUND DUMP REQUEST"), sent.error()),
                           MessageStyle::Critical);
        return sent;
    }
    return succeeded();
}

}  // namespace morvane
