#include "Settings.h"

#include <QDir>

namespace morvane {

bool Settings::write(const QString& application, const QString& section, const QString& key, const QString& value)
{
    if (store(application, section, key, value)) return true;
    if (unsavedListener_ && !unsavedTold_) {
        unsavedTold_ = true;
        unsavedListener_(QStringLiteral("Settings could not be saved in \"%1\"; they will not be remembered "
                                        "next time.")
                             .arg(QDir::toNativeSeparators(fileName(application))));
    }
    return false;
}

void Settings::whenUnsaved(std::function<void(const QString& text)> listener)
{
    unsavedListener_ = std::move(listener);
}

}  // namespace morvane
