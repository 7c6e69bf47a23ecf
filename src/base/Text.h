#pragma once

#include <filesystem>
#include <string>

namespace morvane {

// A file or device name as every message shows it.
inline std::string inQuotes(const std::string& name) { return "\"" + name + "\""; }

// A path as the program's texts carry it (messages, the batch list, batch
// sets, the tools' output): UTF-8, whatever the system's own encoding, so
// that no name is lost on the way.
inline std::string pathToUtf8(const std::filesystem::path& path)
{
    const auto utf8 = path.u8string();
    return {utf8.begin(), utf8.end()};
}

inline std::filesystem::path utf8ToPath(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace morvane
