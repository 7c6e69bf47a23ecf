#include "UserSettings.h"

#include <QSettings>

namespace morvane {
namespace {

QSettings storeFor(const QString& application)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, application);
}

QString pathOf(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }

}  // namespace

QString readUserSetting(const QString& application, const QString& section, const QString& key,
                        const QString& fallback)
{
    return storeFor(application).value(pathOf(section, key), fallback).toString();
}

bool writeUserSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value)
{
    auto store = storeFor(application);
    const QString path = pathOf(section, key);
    // Each write rewrites the whole file under a lock, synced twice: a value
    // already kept is left alone. The sync first retries what an earlier
    // failed write left pending, so that value does not count as kept.
    store.sync();
    if (store.status() == QSettings::NoError && store.contains(path) && store.value(path).toString() == value)
        return true;
    store.setValue(path, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

QString userSettingsFile(const QString& application) { return storeFor(application).fileName(); }

}  // namespace morvane
