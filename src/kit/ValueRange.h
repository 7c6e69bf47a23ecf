#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// A value the user types, with the bounds it must keep and the name the
// range message gives it.
struct ValueRange {
    std::string_view name;
    int lowest;
    int highest;

    constexpr bool contains(int value) const { return value >= lowest && value <= highest; }
};

inline constexpr ValueRange NoteNumberRange{"Midi Note Number", 0, 128};
inline constexpr ValueRange TransmitChannelRange{"Transmit Channel", 0, 16};
inline constexpr ValueRange KitNumberRange{"Kit Number", 1, 24};
inline constexpr ValueRange BankNumberRange{"Bank Number", 0, 128};

// "Kit Number cannot be higher than 24 or lower than 1."
inline std::string rangeMessage(const ValueRange& range)
{
    return std::string(range.name) + " cannot be higher than " + std::to_string(range.highest) +
           " or lower than " + std::to_string(range.lowest) + ".";
}

// "Kit Number too high or too low"
inline std::string rangeTitle(const ValueRange& range)
{
    return std::string(range.name) + " too high or too low";
}

// The whole number a text box holds, blanks around it allowed; empty for
// anything else (an empty box, letters, a fraction, a number too large for int).
inline std::optional<int> parseWholeNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace morvane
