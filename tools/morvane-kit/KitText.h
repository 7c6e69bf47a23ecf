#pragma once

#include "kit/KitDiff.h"
#include "kit/KitFile.h"

#include <string>
#include <vector>

namespace morvane::tool {

// Code page 1252 text in double quotes with JSON escapes for quotes,
// backslashes and control characters. Json writes every other non-ASCII
// character as a \u escape of its Unicode meaning; Terminal writes it as UTF-8.
enum class QuoteFor { Json, Terminal };
std::string quotedCp1252(const std::string& cp1252, QuoteFor target);

// Text as the terminal should show it: control characters as \t, \n, \r or
// \xNN per byte, and so are bytes that are not UTF-8, so that a file name can
// neither break a message's line nor send the terminal commands. Other
// characters, backslashes included, stay as they are.
std::string terminalText(const std::string& text);

// UTF-8 text as a JSON string: quotes, backslashes and control characters
// escaped, a byte that is not UTF-8 as U+FFFD.
std::string quotedJson(const std::string& utf8);

// The object morvane-kit show --json prints, on one line.
std::string kitAsJson(const KitDump& dump, const KitFields& fields, const std::vector<std::string>& warnings);

// The readable table morvane-kit show prints: number, bank, title, pads.
std::string kitAsTable(const std::string& fileName, const KitDump& dump, const KitFields& fields);

// The lines morvane-kit diff prints, one per difference ("pad 7 note 38 -> 40");
// nothing for kits that are the same.
std::string kitDiffAsLines(const KitDiff& diff);

// The object morvane-kit diff --json prints, on one line: each value the kits
// do not share as [first, second], each they share as null.
std::string kitDiffAsJson(const KitDiff& diff);

}  // namespace morvane::tool
