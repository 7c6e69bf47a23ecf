#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

inline constexpr int HighestNote = 128;
inline constexpr int HighestChannel = 16;

// A value the user may type, its accepted bounds and the name the range
// message gives it. The kit settings dialog, pad editing and morvane-kit
// all check typed numbers against these same rules.
struct RangeRule {
    std::string_view name;
    int lowest;
    int highest;
};

inline constexpr RangeRule KitNumberRule{"Kit Number", 1, 24};
inline constexpr RangeRule BankNumberRule{"Bank Number", 0, 128};
inline constexpr RangeRule NoteRule{"Midi Note Number", 0, HighestNote};
// A kit dump stores a channel less one, so channel 0 cannot be kept.
inline constexpr RangeRule ChannelRule{"Transmit Channel", 1, HighestChannel};

// "<name> cannot be higher than <highest> or lower than <lowest>."
std::string rangeMessage(const RangeRule& rule);
// "<name> too high or too low"
std::string rangeTitle(const RangeRule& rule);

// A whole decimal number, optionally signed and surrounded by spaces.
// Anything else (empty text, letters, a fraction, a number too large for an
// int) is no number at all.
std::optional<int> parseWholeNumber(std::string_view text);

// The number in text when it is a whole number inside the rule's bounds.
std::optional<int> checkNumberText(const RangeRule& rule, std::string_view text);

}  // namespace morvane
