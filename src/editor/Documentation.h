#pragma once

#include <QString>
#include <QUrl>

namespace morvane {

// The README as a local file: the first one in the documentation folder under
// the program's folder or a folder above it. An installation keeps it beside
// bin/ (prefix/share/doc/...), and the build tree keeps a copy at its top.
// Empty when there is none.
QUrl documentationUrl(const QString& programFolder);

}  // namespace morvane
