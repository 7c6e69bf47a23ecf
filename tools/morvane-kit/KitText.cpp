#include "KitText.h"

#include "kit/Cp1252.h"

#include <cstdio>
#include <optional>
#include <sstream>

namespace morvane::tool {
namespace {

std::string unicodeEscape(char32_t ch)
{
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(ch));
    return escape;
}

bool isControl(char32_t ch) { return ch < 0x20 || (ch >= 0x7F && ch < 0xA0); }

std::string quotedAscii(const std::string& text) { return quotedCp1252(text, QuoteFor::Json); }

std::string escapedBytes(const std::string& bytes)
{
    if (bytes == "\t") return "\\t";
    if (bytes == "\n") return "\\n";
    if (bytes == "\r") return "\\r";
    std::string escaped;
    for (char byte : bytes) {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(static_cast<std::uint8_t>(byte)));
        escaped += escape;
    }
    return escaped;
}

// Both names quoted, so that they can be shown like any other change.
std::optional<Change<std::string>> quotedNames(const std::optional<Change<std::string>>& names, QuoteFor target)
{
    if (!names) return std::nullopt;
    return Change<std::string>{quotedCp1252(names->first, target), quotedCp1252(names->second, target)};
}

template <typename T>
void changeLine(std::ostream& out, const std::string& label, const std::optional<Change<T>>& change)
{
    if (change) out << label << " " << change->first << " -> " << change->second << "\n";
}

template <typename T>
std::string jsonPair(const std::optional<Change<T>>& change)
{
    std::ostringstream pair;
    if (change)
        pair << "[" << change->first << ", " << change->second << "]";
    else
        pair << "null";
    return pair.str();
}

// Calls show with each UTF-8 character of text and its bytes, or with no
// character and the one byte that starts no character.
template <typename Show>
std::string eachCharacter(const std::string& text, Show show)
{
    std::string shown;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const auto ch = nextUtf8(text, pos);
        if (!ch) ++pos;
        shown += show(ch, text.substr(start, pos - start));
    }
    return shown;
}

}  // namespace

std::string quotedCp1252(const std::string& cp1252, QuoteFor target)
{
    std::string quoted = "\"";
    for (char byte : cp1252) {
        const auto code = static_cast<std::uint8_t>(byte);
        const char32_t ch = cp1252ToUnicode(code);
        if (ch == '"' || ch == '\\')
            quoted += {'\\', static_cast<char>(ch)};
        else if (isControl(ch) || (ch >= 0x80 && target == QuoteFor::Json))
            quoted += unicodeEscape(ch);
        else
            quoted += utf8FromCp1252(std::string(1, byte));
    }
    return quoted + "\"";
}

std::string terminalText(const std::string& text)
{
    return eachCharacter(text, [](std::optional<char32_t> ch, const std::string& bytes) {
        return ch && !isControl(*ch) ? bytes : escapedBytes(bytes);
    });
}

std::string quotedJson(const std::string& utf8)
{
    return "\"" + eachCharacter(utf8, [](std::optional<char32_t> ch, const std::string& bytes) {
               if (!ch) return std::string("\\ufffd");
               if (*ch == '"' || *ch == '\\') return "\\" + bytes;
               return isControl(*ch) ? unicodeEscape(*ch) : bytes;
           }) + "\"";
}

std::string kitAsJson(const KitDump& dump, const KitFields& fields, const std::vector<std::string>& warnings)
{
    std::ostringstream json;
    json << "{\"length\": " << dump.size() << ", \"kit\": " << fields.KitNumber << ", \"bank\": "
         << fields.BankNumber << ", \"name\": " << quotedCp1252(fields.KitName, QuoteFor::Json)
         << ", \"pads\": [";
    for (int p = 0; p < PadCount; ++p)
        json << (p ? ", " : "") << "{\"pad\": " << p + 1 << ", \"note\": " << int{fields.PadMNN[p]}
             << ", \"channel\": " << int{fields.PadTCH[p]} << "}";
    json << "], \"warnings\": [";
    for (std::size_t w = 0; w < warnings.size(); ++w) json << (w ? ", " : "") << quotedAscii(warnings[w]);
    json << "]}";
    return json.str();
}

std::string kitAsTable(const std::string& fileName, const KitDump& dump, const KitFields& fields)
{
    std::ostringstream table;
    table << "File:  " << fileName << " (" << dump.size() << " bytes)\n"
          << "Kit:   " << fields.KitNumber << "\n"
          << "Bank:  " << fields.BankNumber << "\n"
          << "Title: " << quotedCp1252(fields.KitName, QuoteFor::Terminal) << "\n\n"
          << "Pad  Note  Channel\n";
    for (int p = 0; p < PadCount; ++p) {
        char row[32];
        std::snprintf(row, sizeof row, "%3d  %4d  %7d\n", p + 1, fields.PadMNN[p], fields.PadTCH[p]);
        table << row;
    }
    return table.str();
}

std::string kitDiffAsLines(const KitDiff& diff)
{
    std::ostringstream lines;
    changeLine(lines, "kit", diff.kitNumber);
    changeLine(lines, "bank", diff.bankNumber);
    changeLine(lines, "title", quotedNames(diff.kitName, QuoteFor::Terminal));
    for (const auto& pad : diff.pads) {
        const std::string label = "pad " + std::to_string(pad.pad);
        changeLine(lines, label + " note", pad.note);
        changeLine(lines, label + " channel", pad.channel);
    }
    if (diff.otherBytes > 0)
        lines << diff.otherBytes << (diff.otherBytes == 1 ? " other byte differs\n" : " other bytes differ\n");
    changeLine(lines, "length", diff.length);
    return lines.str();
}

std::string kitDiffAsJson(const KitDiff& diff)
{
    std::ostringstream json;
    json << "{\"kit\": " << jsonPair(diff.kitNumber) << ", \"bank\": " << jsonPair(diff.bankNumber)
         << ", \"name\": " << jsonPair(quotedNames(diff.kitName, QuoteFor::Json)) << ", \"pads\": [";
    for (std::size_t p = 0; p < diff.pads.size(); ++p)
        json << (p ? ", " : "") << "{\"pad\": " << diff.pads[p].pad << ", \"note\": " << jsonPair(diff.pads[p].note)
             << ", \"channel\": " << jsonPair(diff.pads[p].channel) << "}";
    json << "], \"other_bytes\": " << diff.otherBytes << ", \"length\": " << jsonPair(diff.length) << "}";
    return json.str();
}

}  // namespace morvane::tool
