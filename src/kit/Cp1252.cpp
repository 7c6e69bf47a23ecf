#include "Cp1252.h"

#include <array>

namespace morvane {
namespace {

// 0x80-0x9F; the five codes the code page leaves unassigned map to
// themselves, as the system's own conversion does.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t ch)
{
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

}  // namespace

std::optional<char32_t> nextUtf8(const std::string& s, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || pos + static_cast<std::size_t>(extra) >= s.size()) return std::nullopt;
    char32_t ch = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char cont = byte(pos + k);
        if ((cont & 0xC0) != 0x80) return std::nullopt;
        ch = (ch << 6) | (cont & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    constexpr std::array<char32_t, 4> shortestForm = {0, 0x80, 0x800, 0x10000};
    if (ch < shortestForm[static_cast<std::size_t>(extra)] || (ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF)
        return std::nullopt;
    pos += static_cast<std::size_t>(extra) + 1;
    return ch;
}

char32_t cp1252ToUnicode(std::uint8_t code)
{
    if (code >= 0x80 && code <= 0x9F) return HighControls[code - 0x80];
    return code;
}

std::optional<std::uint8_t> unicodeToCp1252(char32_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<std::uint8_t>(ch);
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == ch) return static_cast<std::uint8_t>(0x80 + i);
    return std::nullopt;
}

std::string utf8FromCp1252(const std::string& cp1252)
{
    std::string out;
    for (char c : cp1252) appendUtf8(out, cp1252ToUnicode(static_cast<std::uint8_t>(c)));
    return out;
}

Result<std::string> cp1252FromUtf8(const std::string& utf8)
{
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const auto ch = nextUtf8(utf8, pos);
        if (!ch) return Result<std::string>::failure("The text is not valid UTF-8.");
        const auto code = unicodeToCp1252(*ch);
        if (!code)
            return Result<std::string>::failure("The character \"" + utf8.substr(start, pos - start) +
                                                "\" cannot be stored in a kit name.");
        out.push_back(static_cast<char>(*code));
    }
    return out;
}

}  // namespace morvane
