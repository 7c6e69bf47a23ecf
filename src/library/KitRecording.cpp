// Recording: a kit stored once by its hash, each event added to its history,
// and the kit's title and file paths kept in the search index.
#include "KitStore.h"

#include "StoreSql.h"

#include "kit/Cp1252.h"
#include "kit/KitCodec.h"

#include <QCryptographicHash>

namespace morvane::library {

QString titleOf(const KitFields& fields)
{
    QString title = QString::fromStdString(utf8FromCp1252(fields.KitName));
    while (!title.isEmpty() && (title.back() == QLatin1Char(' ') || title.back() == QChar(0))) title.chop(1);
    return title;
}

Result<LibraryKit> LibraryKit::of(KitDump dump)
{
    auto fields = decodeKit(dump);
    if (!fields) return Result<LibraryKit>::failure(fields.error());
    return of(LoadedKit{std::move(dump), std::move(fields).value()});
}

LibraryKit LibraryKit::of(LoadedKit loaded)
{
    const QByteArray bytes = byteArray(loaded.dump);
    QString hash = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    return {std::move(loaded.dump), std::move(hash), std::move(loaded.fields)};
}

KitStore::Statements::Statements(sqlite3* db)
    // Most kits an import meets are new, so the insert comes first and the
    // lookup only when it was a known kit.
    : findKit(db, "SELECT id, words FROM kits WHERE hash = ?"),
      insertKit(db, "INSERT INTO kits (hash, length, title, kit_number, bank, notes, channels, words, last_event,"
                    " times_sent) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (hash) DO NOTHING"),
      insertBytes(db, "INSERT INTO kit_bytes (kit, bytes) VALUES (?, ?)"),
      placeKnown(db, "SELECT 1 FROM events WHERE kit = ? AND place = ? LIMIT 1"),
      // A transaction numbers its events itself, from the one past the
      // last, so that a new kit's row is written once, with its event.
      lastEvent(db, "SELECT coalesce(max(id), 0) FROM events"),
      insertEvent(db, "INSERT INTO events (id, kit, kind, place, time) VALUES (?, ?, ?, ?, ?)"),
      markLatest(db, "UPDATE kits SET last_event = ?, times_sent = times_sent + ? WHERE id = ?"),
      // The index keeps no copy of the words: it is told the old ones to forget them.
      indexWords(db, "INSERT INTO kit_text (rowid, words) VALUES (?, ?)"),
      unindexWords(db, "INSERT INTO kit_text (kit_text, rowid, words) VALUES ('delete', ?, ?)"),
      setWords(db, "UPDATE kits SET words = ? WHERE id = ?"),
      // The kits new in a transaction have the ids from the first one on;
      // they are indexed at once before the commit, which costs a third of
      // indexing each as it comes.
      indexNewKits(db, "INSERT INTO kit_text (rowid, words) SELECT id, words FROM kits WHERE id >= ?")
{
}

Status KitStore::record(const KitDump& dump, const KitEvent& event)
{
    auto kit = LibraryKit::of(dump);
    if (!kit) return Status::failure(kit.error());
    const Recording one{std::move(kit).value(), event};
    auto recorded = record(std::span(&one, 1));
    return recorded ? succeeded() : Status::failure(recorded.error());
}

// What one transaction of recordings carries from kit to kit.
struct KitStore::Batch {
    RecordCounts counts;
    std::optional<qint64> firstNew;  // the id of its first new kit, once there is one
    qint64 lastEvent = 0;            // the id of the newest event
};

Result<RecordCounts> KitStore::record(std::span<const Recording> recordings)
{
    Batch batch;
    const auto recorded = change(QStringLiteral("record a kit"), [&](QSqlQuery&) {
        auto& s = *statements_;
        const auto read = s.lastEvent.rowOf([&](const SqliteStatement& row) { batch.lastEvent = row.integer(0); });
        if (!read) return Status::failure(read.error());
        for (const auto& recording : recordings)
            if (auto done = recordOne(recording, batch); !done) return done;
        return batch.firstNew ? s.indexNewKits.run(*batch.firstNew) : succeeded();
    });
    if (!recorded) return Result<RecordCounts>::failure(recorded.error());
    return batch.counts;
}

Status KitStore::recordOne(const Recording& recording, Batch& batch)
{
    auto& s = *statements_;
    const LibraryKit& kit = recording.kit;
    const KitFields& f = kit.fields;
    const QString title = titleOf(f);
    // A place not known is stored as empty text, not as a missing value.
    const QString place = recording.event.place.isNull() ? QStringLiteral("") : recording.event.place;
    const bool inAFile = isFileEvent(recording.event);
    const QString words = searchFolded(inAFile ? title + QLatin1Char('\n') + place : title);
    const qint64 event = batch.lastEvent + 1;
    const int sent = recording.event.kind == EventKind::Sent ? 1 : 0;
    if (auto inserted = s.insertKit.run(kit.hash, static_cast<int>(kit.dump.size()), title, int{f.KitNumber},
                                        int{f.BankNumber}, std::span(f.PadMNN), std::span(f.PadTCH), words, event,
                                        sent);
        !inserted)
        return inserted;
    qint64 id = 0;
    if (s.insertKit.changes() == 1) {
        ++batch.counts.newKits;
        id = s.insertKit.lastInsertId();
        if (auto stored = s.insertBytes.run(id, std::span(kit.dump)); !stored) return stored;
        if (!batch.firstNew) batch.firstNew = id;
    } else {
        ++batch.counts.knownKits;
        QString knownWords;
        const auto found = s.findKit.rowOf(  // the conflict just met, in this transaction
            [&](const SqliteStatement& row) {
                id = row.integer(0);
                knownWords = row.text(1);
            },
            kit.hash);
        if (!found) return Status::failure(found.error());
        if (inAFile) {
            const auto placeKnown = s.placeKnown.hasRow(id, place);
            if (!placeKnown) return Status::failure(placeKnown.error());
            if (!placeKnown.value()) {
                const bool indexed = !batch.firstNew || id < *batch.firstNew;
                if (auto added = addWords(id, knownWords, place, indexed); !added) return added;
            } else if (recording.event.kind == EventKind::Imported) {
                return succeeded();  // importing a folder twice adds nothing
            }
        }
        if (auto marked = s.markLatest.run(event, sent, id); !marked) return marked;
    }
    batch.lastEvent = event;
    return s.insertEvent.run(event, id, eventName(recording.event.kind), place,
                             recording.event.time.toMSecsSinceEpoch());
}

Status KitStore::addWords(qint64 kit, const QString& words, const QString& place, bool indexed)
{
    auto& s = *statements_;
    const QString more = words + searchFolded(QLatin1Char('\n') + place);
    if (!indexed) return s.setWords.run(more, kit);
    if (auto forgotten = s.unindexWords.run(kit, words); !forgotten) return forgotten;
    if (auto set = s.setWords.run(more, kit); !set) return set;
    return s.indexWords.run(kit, more);
}

}  // namespace morvane::library
