#pragma once

#include "base/Result.h"

#include <QSqlDatabase>

#include <functional>

namespace morvane::library {

// Inside a write transaction the caller holds: brings the file from the
// version in its PRAGMA user_version to the newest, one step at a time, then
// records the version; migrating is called first when there is a step to take
// on a file that has kits. A file from a newer editor is refused untouched.
Status migrate(QSqlDatabase& db, const std::function<void()>& migrating = {});
// For a file that can only be read: whether its version is one the search
// and reading of the newest understand.
Status isCurrent(QSqlDatabase& db);

}  // namespace morvane::library
