#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

// The raw bytes of one kit dump, offset 0 being the SysEx status byte 240.
// Any length: a file may be shorter or longer than a standard dump.
using KitDump = std::vector<std::uint8_t>;

inline constexpr std::size_t KitDumpLength = 746;
inline constexpr std::size_t MinDecodableLength = 745;  // the decode reads up to offset 744
inline constexpr int PadCount = 24;
inline constexpr int KitNameLength = 12;

namespace offsets {
inline constexpr std::size_t KitNumber = 8;
inline constexpr std::size_t FirstPad = 9;
inline constexpr std::size_t PadRecord = 24;
inline constexpr std::size_t PadNoteLow = 0;
inline constexpr std::size_t PadChannel = 8;
inline constexpr std::size_t BankLow = 715;
inline constexpr std::size_t FirstNameChar = 721;

constexpr std::size_t padNote(int pad) { return FirstPad + PadRecord * static_cast<std::size_t>(pad) + PadNoteLow; }
constexpr std::size_t padChannel(int pad) { return FirstPad + PadRecord * static_cast<std::size_t>(pad) + PadChannel; }
constexpr std::size_t nameChar(int c) { return FirstNameChar + 2 * static_cast<std::size_t>(c); }
}  // namespace offsets

// The decoded working copy of what the editor edits. KitName holds bytes of
// code page 1252, exactly as decoded or as last passed in.
struct KitFields {
    std::string KitName;
    std::array<std::uint8_t, KitNameLength> KitNameChars{};
    std::int16_t KitNumber = 0;
    std::int16_t BankNumber = 0;
    std::array<std::uint8_t, PadCount> PadMNN{};
    std::array<std::uint8_t, PadCount> PadTCH{};

    bool operator==(const KitFields&) const = default;
};

// A fresh program holds 746 zero bytes and no kit.
inline KitDump emptyKitDump() { return KitDump(KitDumpLength, 0); }

}  // namespace morvane
