#include "FilePath.h"

#include "base/Text.h"

#include <QDir>

namespace morvane {

std::filesystem::path toFilePath(const QString& path)
{
    return utf8ToPath(QDir::toNativeSeparators(path).toStdString());
}

}  // namespace morvane
