#include "SysexFramer.h"

namespace morvane {
namespace {

constexpr std::uint8_t FirstRealTime = 0xF8;

bool isStatus(std::uint8_t byte) { return byte >= 0x80; }

// Status byte plus data bytes of a channel or system common message.
std::size_t lengthOf(std::uint8_t status)
{
    if (status < 0xF0) {
        const std::uint8_t kind = status & 0xF0;
        return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
    }
    switch (status) {
    case 0xF1:
    case 0xF3: return 2;
    case 0xF2: return 3;
    default: return 1;
    }
}

}  // namespace

std::vector<MidiInputEvent> SysexFramer::take(const std::uint8_t* bytes, std::size_t count)
{
    std::vector<MidiInputEvent> out;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = bytes[i];
        if (byte >= FirstRealTime) continue;  // may fall anywhere, even inside a SysEx
        if (isStatus(byte))
            startStatus(byte, out);
        else
            addData(byte, out);
    }
    return out;
}

void SysexFramer::reset()
{
    inSysex_ = false;
    sysexTooLong_ = false;
    sysex_.clear();
    shortMessage_.clear();
    shortLength_ = 0;
}

void SysexFramer::startStatus(std::uint8_t status, std::vector<MidiInputEvent>& out)
{
    const bool closesSysex = status == SysexEnd && inSysex_;
    if (closesSysex && !sysexTooLong_) {
        sysex_.push_back(SysexEnd);
        out.push_back({MidiInputEvent::Kind::Sysex, std::move(sysex_)});
    }
    reset();
    if (status == SysexStart) {
        inSysex_ = true;
        sysex_.push_back(SysexStart);
        return;
    }
    if (status == SysexEnd) return;  // an F7 of nothing we saw begin
    shortMessage_.push_back(status);
    shortLength_ = lengthOf(status);
    if (shortLength_ == 1) {
        out.push_back({MidiInputEvent::Kind::Short, std::move(shortMessage_)});
        reset();
    }
}

void SysexFramer::addData(std::uint8_t byte, std::vector<MidiInputEvent>& out)
{
    if (inSysex_) {
        if (sysex_.size() + 1 >= LargestReceivedSysex) sysexTooLong_ = true;
        if (!sysexTooLong_) sysex_.push_back(byte);
        return;
    }
    if (shortLength_ == 0) return;  // data of a message whose start we missed
    shortMessage_.push_back(byte);
    if (shortMessage_.size() < shortLength_) return;
    const std::uint8_t status = shortMessage_.front();
    out.push_back({MidiInputEvent::Kind::Short, std::move(shortMessage_)});
    // Running status: more data bytes make another channel message of this kind.
    reset();
    if (status < 0xF0) {
        shortMessage_.assign(1, status);
        shortLength_ = lengthOf(status);
    }
}

}  // namespace morvane
