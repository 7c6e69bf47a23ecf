#include "KitRanges.h"

#include <charconv>

namespace morvane {
namespace {

std::string_view trimmedSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string rangeMessage(const RangeRule& rule)
{
    return std::string(rule.name) + " cannot be higher than " + std::to_string(rule.highest) +
           " or lower than " + std::to_string(rule.lowest) + ".";
}

std::string rangeTitle(const RangeRule& rule) { return std::string(rule.name) + " too high or too low"; }

std::optional<int> parseWholeNumber(std::string_view text)
{
    text = trimmedSpaces(text);
    // from_chars takes a minus sign but not a plus sign.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int> checkNumberText(const RangeRule& rule, std::string_view text)
{
    const auto value = parseWholeNumber(text);
    if (!value || *value < rule.lowest || *value > rule.highest) return std::nullopt;
    return value;
}

}  // namespace morvane
