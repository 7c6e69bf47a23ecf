#include "LibrarySchema.h"

#include "StoreSql.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <vector>

namespace morvane::library {
namespace {

Status run(QSqlDatabase& db, const QString& statement)
{
    QSqlQuery query(db);
    if (query.exec(statement)) return succeeded();
    return Status::failure(query.lastError().databaseText().toStdString());
}

// The words of the kits a file of the first version holds: each kit's
// title and the files it was in, case folded as the store folds them.
Status setKnownKitsWords(QSqlDatabase& db)
{
    QSqlQuery kits(db);
    kits.setForwardOnly(true);
    if (!kits.exec(QStringLiteral("SELECT k.id, k.title, %1 FROM kits k").arg(QLatin1String(KitFilePlaces))))
        return Status::failure(kits.lastError().databaseText().toStdString());
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE kits SET words = ? WHERE id = ?"));
    while (kits.next()) {
        update.bindValue(0, wordsOf(kits.value(1).toString(), kits.value(2).toString(), {}));
        update.bindValue(1, kits.value(0));
        if (!update.exec()) return Status::failure(update.lastError().databaseText().toStdString());
    }
    return run(db, QStringLiteral("INSERT INTO kit_text (kit_text) VALUES ('rebuild')"));
}

struct Step {
    std::vector<const char*> statements;
    Status (*fill)(QSqlDatabase&) = nullptr;  // runs after the statements
};

// Step n takes a file from version n to n + 1. A step that has shipped never
// changes, since files made by it exist: a change is a new step.
//
// The dumps live in a table of their own to keep the scanned rows small, and
// the pads sit in the kit's row as 24 bytes of notes and 24 of channels,
// matched with instr(). Each kit's latest event and send count sit beside
// it, so a search reads one row per kit: kept by a trigger until step 4, by
// the recording since, which writes a new kit's row once with its event. A
// kit's words (its title and file paths, case folded) sit in its row,
// matched by substring through an FTS5 trigram index over them, or
// one by one for a word short or common; the index on the latest event
// lets the newest kits be listed first without reading the others.
const std::vector<Step> Steps = {
    {{
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
    }},
    {{
         "ALTER TABLE kits ADD COLUMN words TEXT NOT NULL DEFAULT ''",
         "CREATE VIRTUAL TABLE kit_text USING fts5(words, content = 'kits', content_rowid = 'id',"
         " tokenize = 'trigram')",
         "CREATE INDEX kits_by_last_event ON kits(last_event)",
     },
     setKnownKitsWords},
    // The user's own marks, which no kit file carries. The note as typed is
    // shown; its case-folded copy is what text: matches, and it joins the
    // kit's words too, so a plain word finds it through the index. A tag is
    // one case-folded word.
    {{
        "ALTER TABLE kits ADD COLUMN favourite INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE kits ADD COLUMN note TEXT NOT NULL DEFAULT ''",
        "ALTER TABLE kits ADD COLUMN folded_note TEXT NOT NULL DEFAULT ''",
        "CREATE INDEX kits_by_favourite ON kits(favourite, id)",
        "CREATE TABLE kit_tags (kit INTEGER NOT NULL REFERENCES kits(id), tag TEXT NOT NULL,"
        " PRIMARY KEY (kit, tag)) WITHOUT ROWID",
        "CREATE INDEX kit_tags_by_tag ON kit_tags(tag)",
    }},
    // The trigger's second write of every new kit's row was a sixth of an
    // import's writing.
    {{
        "DROP TRIGGER events_update_kit",
    }},
};

const int Newest = static_cast<int>(Steps.size());
// Steps past this one change only how kits are written, so a file that can
// only be read is read as it is from here on.
constexpr int OldestReadable = 3;

// The file's version, or why it cannot be used.
Result<int> versionOf(QSqlDatabase& db)
{
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        return Result<int>::failure(version.lastError().databaseText().toStdString());
    const int found = version.value(0).toInt();
    if (found > Newest)
        return Result<int>::failure("it was made by a newer version of the editor (library version " +
                                    std::to_string(found) + ")");
    return found;
}

}  // namespace

Status migrate(QSqlDatabase& db, const std::function<void()>& migrating)
{
    const auto found = versionOf(db);
    if (!found) return Status::failure(found.error());
    if (found.value() == Newest) return succeeded();
    if (found.value() > 0 && migrating) migrating();  // a new file is made at once
    for (auto step = Steps.begin() + found.value(); step != Steps.end(); ++step) {
        for (const char* statement : step->statements)
            if (auto done = run(db, QString::fromLatin1(statement)); !done) return done;
        if (step->fill)
            if (auto filled = step->fill(db); !filled) return filled;
    }
    return run(db, QStringLiteral("PRAGMA user_version = %1").arg(Newest));
}

Status isCurrent(QSqlDatabase& db)
{
    const auto found = versionOf(db);
    if (!found) return Status::failure(found.error());
    if (found.value() < OldestReadable)
        return Status::failure("it is read-only and was made by an older version of the editor; it is brought up to "
                               "date once it can be written");
    return succeeded();
}

}  // namespace morvane::library
