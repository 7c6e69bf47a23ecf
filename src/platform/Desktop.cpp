#include "Desktop.h"

#include <QDir>

namespace morvane {

bool Desktop::writeSetting(const QString& application, const QString& section, const QString& key,
                           const QString& value)
{
    if (storeSetting(application, section, key, value)) return true;
    if (settingsUnsavedListener_ && !settingsUnsavedTold_) {
        settingsUnsavedTold_ = true;
        settingsUnsavedListener_(QStringLiteral("Settings could not be saved in \"%1\"; they will not be remembered "
                                                "next time.")
                                     .arg(QDir::toNativeSeparators(settingsFile(application))));
    }
    return false;
}

void Desktop::whenSettingsUnsaved(std::function<void(const QString& text)> listener)
{
    settingsUnsavedListener_ = std::move(listener);
}

}  // namespace morvane
