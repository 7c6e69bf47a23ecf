#pragma once

#include <QString>

namespace morvane {

// The per-user settings store: one text value by application, section and
// key, kept by QSettings (on Linux under $XDG_CONFIG_HOME, "<application>.conf").
QString readUserSetting(const QString& application, const QString& section, const QString& key,
                        const QString& fallback);
void writeUserSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value);

}  // namespace morvane
