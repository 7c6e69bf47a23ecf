#include "Documentation.h"

#include <QDir>
#include <QFileInfo>

namespace morvane {

QUrl documentationUrl(const QString& programFolder)
{
    QDir folder(programFolder);
    do {
        const QString readme = folder.filePath(QStringLiteral(MORVANE_DOC_DIR "/README.md"));
        if (QFileInfo(readme).isFile()) return QUrl::fromLocalFile(readme);
    } while (folder.cdUp());
    return {};
}

}  // namespace morvane
