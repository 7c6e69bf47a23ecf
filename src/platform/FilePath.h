#pragma once

#include <QString>
#include <QUrl>

#include <filesystem>

namespace morvane {

// File names travel through the windows as QString, and back to the file
// as std::filesystem::path, without losing a byte: where the system's names
// are bytes, a byte that is no part of a UTF-8 character rides in the text
// as one unpaired surrogate, U+DC80 to U+DCFF, and comes back as that byte.
// Such a text shows a replacement mark for the byte; it is only for showing.

// A path the desktop gave (a dialog, the command line, a folder list) as the
// kit and batch code take it: the system's own separators, its own character
// type, no name narrowed through a code page on the way.
std::filesystem::path toFilePath(const QString& path);

// The path as text that toFilePath turns back into the same path.
QString fromFilePath(const std::filesystem::path& path);

// The local file a dropped URL names, byte for byte; empty for any other URL.
QString localFilePath(const QUrl& url);

}  // namespace morvane
