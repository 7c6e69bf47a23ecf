#include "LibrarySettings.h"

#include <QStandardPaths>

namespace morvane::library {
namespace {

const QString Section = QStringLiteral("Library");
const QString KeepHistoryKey = QStringLiteral("KeepHistory");

}  // namespace

QString defaultLibraryFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/kit-library.sqlite");
}

bool keepsHistory(Desktop& desktop)
{
    return desktop.readSetting(ApplicationTitle, Section, KeepHistoryKey, QStringLiteral("true")) !=
           QLatin1String("false");
}

bool setKeepsHistory(Desktop& desktop, bool keep)
{
    return desktop.writeSetting(ApplicationTitle, Section, KeepHistoryKey,
                                keep ? QStringLiteral("true") : QStringLiteral("false"));
}

}  // namespace morvane::library
