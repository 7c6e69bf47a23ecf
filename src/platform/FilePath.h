#pragma once

#include <QString>

#include <filesystem>

namespace morvane {

// A path the desktop gave (a dialog, the command line, a folder list) as the
// kit and batch code take it: the system's own separators, its own character
// type, no name narrowed through a code page on the way.
std::filesystem::path toFilePath(const QString& path);

}  // namespace morvane
