#pragma once

#include "MidiDevices.h"
#include "base/Result.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

class Desktop;

using MidiBytes = std::vector<std::uint8_t>;

// Splits bytes into their complete 240 ... 247 messages. Refuses bytes
// outside such framing (a missing 247, a tail, a stray status) before
// anything is sent: a half-open SysEx would leave the instrument waiting.
Result<std::vector<MidiBytes>> splitSysexMessages(const MidiBytes& bytes);

// Sends messages already split, in order, each whole. No user interface.
Status sendSysexMessages(MidiDevices& devices, const std::vector<MidiBytes>& messages);

// A box text followed by the reason of a failure, so the box names why.
QString withReason(const QString& text, const std::string& why);

// Send_Sysex: splits bytes and sends every message, telling the user in a critical box when the
// bytes are refused or the transfer fails.
Status Send_Sysex(MidiDevices& devices, Desktop& desktop, const MidiBytes& bytes);

}  // namespace morvane
