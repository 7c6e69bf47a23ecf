#pragma once

#include "base/Result.h"

#include <QSqlDatabase>

namespace morvane::library {

// Inside a write transaction the caller holds: brings the file from the
// version in its PRAGMA user_version to the newest, one step at a time, then
// records the version.
// A file from a newer editor is refused untouched.
Status migrate(QSqlDatabase& db);

}  // namespace morvane::library
