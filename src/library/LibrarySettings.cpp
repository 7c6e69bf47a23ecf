#include "LibrarySettings.h"

#include "platform/Desktop.h"

#include <QDir>
#include <QStandardPaths>

namespace morvane::library {
namespace {

const QString Section = QStringLiteral("Library");
const QString KeepHistoryKey = QStringLiteral("KeepHistory");

// Qt takes a relative $XDG_DATA_HOME from the current folder, which would
// put a library wherever a program was started; the XDG base directory rules
// say to ignore it, so the default under the home folder is used instead.
QString dataFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!QDir::isRelativePath(folder)) return folder;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::homePath() + QStringLiteral("/.local/share") + folder.mid(base.size());
}

}  // namespace

QString defaultLibraryFile() { return dataFolder() + QStringLiteral("/kit-library.sqlite"); }

bool keepsHistory(Settings& settings)
{
    return settings.read(ApplicationTitle, Section, KeepHistoryKey, QStringLiteral("true")) !=
           QLatin1String("false");
}

bool setKeepsHistory(Settings& settings, bool keep)
{
    return settings.write(ApplicationTitle, Section, KeepHistoryKey,
                          keep ? QStringLiteral("true") : QStringLiteral("false"));
}

}  // namespace morvane::library
