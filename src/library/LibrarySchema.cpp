#include "LibrarySchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <vector>

namespace morvane::library {
namespace {

// Step n takes a file from version n to n + 1. A step that has shipped never
// changes, since files made by it exist: a change is a new step.
//
// Titles and paths are matched by substring, which no index serves, so a
// search scans kits and events: the dumps live in a table of their own to
// keep the scanned rows small, and the pads sit in the kit's row as 24 bytes
// of notes and 24 of channels, matched with instr(), which keeps an import
// at three rows per kit. The trigger keeps each kit's latest event and send count
// beside it, whichever program wrote the event, so a search reads one row
// per kit.
const std::vector<std::vector<const char*>> Steps = {
    {
        "CREATE TABLE kits ("
        " id INTEGER PRIMARY KEY,"
        " hash TEXT NOT NULL UNIQUE,"
        " length INTEGER NOT NULL,"
        " title TEXT NOT NULL,"
        " kit_number INTEGER NOT NULL,"
        " bank INTEGER NOT NULL,"
        " notes BLOB NOT NULL,"
        " channels BLOB NOT NULL,"
        " last_event INTEGER,"
        " times_sent INTEGER NOT NULL DEFAULT 0)",
        "CREATE TABLE kit_bytes (kit INTEGER PRIMARY KEY REFERENCES kits(id), bytes BLOB NOT NULL)",
        "CREATE TABLE events ("
        " id INTEGER PRIMARY KEY,"
        " kit INTEGER NOT NULL REFERENCES kits(id),"
        " kind TEXT NOT NULL CHECK (kind IN ('opened', 'saved', 'received', 'sent', 'imported')),"
        " place TEXT NOT NULL,"
        " time INTEGER NOT NULL)",
        "CREATE INDEX events_by_kit_and_place ON events(kit, place)",
        "CREATE TRIGGER events_update_kit AFTER INSERT ON events BEGIN"
        " UPDATE kits SET last_event = NEW.id, times_sent = times_sent + (NEW.kind = 'sent')"
        " WHERE id = NEW.kit; END",
    },
};

Status run(QSqlDatabase& db, const QString& statement)
{
    QSqlQuery query(db);
    if (query.exec(statement)) return succeeded();
    return Status::failure(query.lastError().databaseText().toStdString());
}

}  // namespace

Status migrate(QSqlDatabase& db)
{
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        return Status::failure(version.lastError().databaseText().toStdString());
    const int found = version.value(0).toInt();
    if (found > static_cast<int>(Steps.size()))
        return Status::failure("it was made by a newer version of the editor (library version " +
                               std::to_string(found) + ")");
    if (found == static_cast<int>(Steps.size())) return succeeded();
    for (std::size_t step = static_cast<std::size_t>(found); step < Steps.size(); ++step)
        for (const char* statement : Steps[step])
            if (auto done = run(db, QString::fromLatin1(statement)); !done) return done;
    return run(db, QStringLiteral("PRAGMA user_version = %1").arg(Steps.size()));
}

}  // namespace morvane::library
