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

KitStore::Statements::Statements(const QSqlDatabase& db)
    : findKit(db), insertKit(db), insertBytes(db), placeKnown(db), insertEvent(db), indexWords(db),
      unindexWords(db), setWords(db), indexNewKits(db)
{
    findKit.prepare(QStringLiteral("SELECT id, words FROM kits WHERE hash = ?"));
    // Most kits an import meets are new, so the insert comes first and
    // the lookup only when it was a known kit.
    insertKit.prepare(QStringLiteral("INSERT INTO kits (hash, length, title, kit_number, bank, notes, channels, words)"
                                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (hash) DO NOTHING"));
    insertBytes.prepare(QStringLiteral("INSERT INTO kit_bytes (kit, bytes) VALUES (?, ?)"));
    placeKnown.prepare(QStringLiteral("SELECT 1 FROM events WHERE kit = ? AND place = ? LIMIT 1"));
    insertEvent.prepare(QStringLiteral("INSERT INTO events (kit, kind, place, time) VALUES (?, ?, ?, ?)"));
    // The index keeps no copy of the words: it is told the old ones to forget them.
    indexWords.prepare(QStringLiteral("INSERT INTO kit_text (rowid, words) VALUES (?, ?)"));
    unindexWords.prepare(QStringLiteral("INSERT INTO kit_text (kit_text, rowid, words) VALUES ('delete', ?, ?)"));
    setWords.prepare(QStringLiteral("UPDATE kits SET words = ? WHERE id = ?"));
    // The kits new in a transaction have the ids from the first one on; they
    // are indexed at once before the commit, which costs a third of indexing
    // each as it comes.
    indexNewKits.prepare(QStringLiteral("INSERT INTO kit_text (rowid, words) SELECT id, words FROM kits WHERE id >= ?"));
}

Status KitStore::record(const KitDump& dump, const KitEvent& event)
{
    auto kit = LibraryKit::of(dump);
    if (!kit) return Status::failure(kit.error());
    const Recording one{std::move(kit).value(), event};
    auto recorded = record(std::span(&one, 1));
    return recorded ? succeeded() : Status::failure(recorded.error());
}

Result<RecordCounts> KitStore::record(std::span<const Recording> recordings)
{
    RecordCounts counts;
    const auto recorded = change(QStringLiteral("record a kit"), [&](QSqlQuery&) {
        std::optional<qint64> firstNew;
        for (const auto& recording : recordings)
            if (auto done = recordOne(recording, counts, firstNew); !done) return done;
        return firstNew ? run(statements_->indexNewKits, {*firstNew}) : succeeded();
    });
    if (!recorded) return Result<RecordCounts>::failure(recorded.error());
    return counts;
}

Status KitStore::recordOne(const Recording& recording, RecordCounts& counts, std::optional<qint64>& firstNew)
{
    auto& s = *statements_;
    const LibraryKit& kit = recording.kit;
    const QByteArray bytes = byteArray(kit.dump);
    const KitFields& f = kit.fields;
    const QString title = titleOf(f);
    // A place not known is stored as empty text, not as a missing value.
    const QString place = recording.event.place.isNull() ? QStringLiteral("") : recording.event.place;
    const bool inAFile = isFileEvent(recording.event);
    const QString words = searchFolded(inAFile ? title + QLatin1Char('\n') + place : title);
    if (auto inserted = run(s.insertKit, {kit.hash, bytes.size(), title, f.KitNumber, f.BankNumber,
                                          byteArray(f.PadMNN), byteArray(f.PadTCH), words});
        !inserted)
        return inserted;
    qint64 id = 0;
    if (s.insertKit.numRowsAffected() == 1) {
        ++counts.newKits;
        id = s.insertKit.lastInsertId().toLongLong();
        if (auto stored = run(s.insertBytes, {id, bytes}); !stored) return stored;
        if (!firstNew) firstNew = id;
    } else {
        ++counts.knownKits;
        const auto found = rowOf(s.findKit, {kit.hash});  // the conflict just met, in this transaction
        if (!found) return Status::failure(found.error());
        id = found.value()->value(0).toLongLong();
        if (inAFile) {
            const auto placeKnown = rowOf(s.placeKnown, {id, place});
            if (!placeKnown) return Status::failure(placeKnown.error());
            if (!placeKnown.value()) {
                const bool indexed = !firstNew || id < *firstNew;
                if (auto added = addWords(id, found.value()->value(1).toString(), place, indexed); !added) return added;
            } else if (recording.event.kind == EventKind::Imported) {
                return succeeded();  // importing a folder twice adds nothing
            }
        }
    }
    return run(s.insertEvent, {id, eventName(recording.event.kind), place, recording.event.time.toMSecsSinceEpoch()});
}

Status KitStore::addWords(qint64 kit, const QString& words, const QString& place, bool indexed)
{
    auto& s = *statements_;
    const QString more = words + searchFolded(QLatin1Char('\n') + place);
    if (!indexed) return run(s.setWords, {more, kit});
    if (auto forgotten = run(s.unindexWords, {kit, words}); !forgotten) return forgotten;
    if (auto set = run(s.setWords, {more, kit}); !set) return set;
    return run(s.indexWords, {kit, more});
}

}  // namespace morvane::library
