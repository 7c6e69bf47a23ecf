#pragma once

#include "platform/Settings.h"

#include <QString>

namespace morvane {

// The per-user settings store: one text value by application, section and
// key, kept by QSettings (on Linux under $XDG_CONFIG_HOME, "<application>.conf").
QString readUserSetting(const QString& application, const QString& section, const QString& key,
                        const QString& fallback);
// Writes the store out at once, unless it holds that value already; false
// when the write failed, e.g. in a read-only folder.
bool writeUserSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value);
QString userSettingsFile(const QString& application);

// The program's settings, in that store.
class UserSettings final : public Settings {
public:
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& fallback = {}) override
    {
        return readUserSetting(application, section, key, fallback);
    }

private:
    bool store(const QString& application, const QString& section, const QString& key,
               const QString& value) override
    {
        return writeUserSetting(application, section, key, value);
    }
    QString fileName(const QString& application) override { return userSettingsFile(application); }
};

}  // namespace morvane
