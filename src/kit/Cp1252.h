#pragma once

#include "base/Result.h"

#include <cstdint>
#include <optional>
#include <string>

namespace morvane {

// Kit names are bytes of Windows code page 1252, the controller's and the
// kit files' character set. These convert between those bytes and Unicode.
char32_t cp1252ToUnicode(std::uint8_t code);
std::optional<std::uint8_t> unicodeToCp1252(char32_t ch);

std::string utf8FromCp1252(const std::string& cp1252);

// Decodes the UTF-8 character at pos and moves pos past it; a malformed
// sequence gives nothing and leaves pos where it was.
std::optional<char32_t> nextUtf8(const std::string& s, std::size_t& pos);

// Refuses text that is not UTF-8 or that holds a character code page 1252
// has no code for, naming the character.
Result<std::string> cp1252FromUtf8(const std::string& utf8);

}  // namespace morvane
