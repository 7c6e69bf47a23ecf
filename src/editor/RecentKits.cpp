#include "RecentKits.h"

namespace morvane {
namespace {

// The one character no path on any system can hold.
constexpr QChar Separator(0);

}  // namespace

RecentKits RecentKits::parse(const QString& stored)
{
    RecentKits recent;
    const QStringList entries = stored.split(Separator, Qt::SkipEmptyParts);
    // Oldest first, so each entry lands above the ones stored after it.
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) recent.add(*entry);
    return recent;
}

QString RecentKits::serialized() const { return paths_.join(Separator); }

void RecentKits::add(const QString& path)
{
    paths_.removeAll(path);
    paths_.prepend(path);
    if (paths_.size() > Most) paths_.removeLast();
}

void RecentKits::remove(const QString& path) { paths_.removeAll(path); }

}  // namespace morvane
