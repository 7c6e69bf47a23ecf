#pragma once

#include "MidiDevices.h"
#include "kit/Result.h"

#include <cstdint>
#include <vector>

namespace morvane {

class Desktop;

using MidiBytes = std::vector<std::uint8_t>;

// Splits bytes into their complete 240 ... 247 messages. Refuses bytes
// outside such framing (a missing 247, a tail, a stray status) before
// anything is sent: a half-open SysEx would leave the instrument waiting.
Result<std::vector<MidiBytes>> splitSysexMessages(const MidiBytes& bytes);

// Sends every message of bytes, in order, each whole. No user interface.
Status transmitSysex(MidiDevices& devices, const MidiBytes& bytes);

// Send_Sysex: transmitSysex, telling the user in a critical box when the
// bytes are refused or the transfer fails. True when everything went out.
bool Send_Sysex(MidiDevices& devices, Desktop& desktop, const MidiBytes& bytes);

}  // namespace morvane
