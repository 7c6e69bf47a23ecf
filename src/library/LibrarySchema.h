#pragma once

#include "base/Result.h"

#include <QSqlDatabase>

namespace morvane::library {

// Inside a write transaction the caller holds: brings the file from the
// version in its PRAGMA user_version to the newest, one step at a time, then
// records the version.
// A file from a newer editor is refused untouched.
Status migrate(QSqlDatabase& db);
// For a file that can only be read: whether it has the newest version.
Status isCurrent(QSqlDatabase& db);

}  // namespace morvane::library
