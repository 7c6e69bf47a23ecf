// The user's marks on a kit: a star, a note and tags, kept in the library
// only, each change in one transaction.
#include "KitStore.h"

#include "StoreSql.h"

#include <algorithm>

namespace morvane::library {
namespace {

// Another window or the tool took the kit out meanwhile.
Status kitGone() { return Status::failure("the kit is no longer in the library."); }

Status changedTheKit(const QSqlQuery& query) { return query.numRowsAffected() > 0 ? succeeded() : kitGone(); }

bool isOneWord(const QString& word)
{
    return !word.isEmpty() && std::none_of(word.begin(), word.end(), [](QChar c) { return c.isSpace(); });
}

}  // namespace

Status KitStore::setFavourite(const QString& hash, bool favourite)
{
    return change(favourite ? QStringLiteral("star the kit") : QStringLiteral("take the kit's star away"),
                  [&](QSqlQuery& query) {
                      query.prepare(QStringLiteral("UPDATE kits SET favourite = ? WHERE hash = ?"));
                      if (auto done = run(query, {favourite ? 1 : 0, hash}); !done) return done;
                      return changedTheKit(query);
                  });
}

// The note joins the kit's words: the index forgets the old words before
// they change, as it keeps no copy of them.
Status KitStore::setNote(const QString& hash, const QString& note)
{
    return change(QStringLiteral("keep the note"), [&](QSqlQuery& query) {
        query.prepare(QStringLiteral("SELECT k.id, k.title, %1, k.words FROM kits k WHERE k.hash = ?")
                          .arg(QLatin1String(KitFilePlaces)));
        const auto kit = rowOf(query, {hash});
        if (!kit) return Status::failure(kit.error());
        if (!kit.value()) return kitGone();
        const QSqlRecord& row = *kit.value();
        const QVariant id = row.value(0);
        const QString words = wordsOf(row.value(1).toString(), row.value(2).toString(), note);
        query.prepare(QStringLiteral("INSERT INTO kit_text (kit_text, rowid, words) VALUES ('delete', ?, ?)"));
        if (auto done = run(query, {id, row.value(3)}); !done) return done;
        query.prepare(QStringLiteral("UPDATE kits SET note = ?, folded_note = ?, words = ? WHERE id = ?"));
        if (auto done = run(query, {note, searchFolded(note), words, id}); !done) return done;
        query.prepare(QStringLiteral("INSERT INTO kit_text (rowid, words) VALUES (?, ?)"));
        return run(query, {id, words});
    });
}

Status KitStore::setTagged(const QString& hash, const QString& tag, bool tagged)
{
    const QString word = searchFolded(tag.trimmed());
    if (!isOneWord(word))
        return Status::failure(
            sentence(QStringLiteral("\"%1\" is no tag: a tag is one word, without spaces.").arg(tag)));
    return change(tagged ? QStringLiteral("tag the kit") : QStringLiteral("take the tag away"), [&](QSqlQuery& query) {
        query.prepare(QString::fromLatin1(tagged ? "INSERT OR IGNORE INTO kit_tags (kit, tag)"
                                                   " SELECT id, ? FROM kits WHERE hash = ?"
                                                 : "DELETE FROM kit_tags WHERE tag = ?"
                                                   " AND kit IN (SELECT id FROM kits WHERE hash = ?)"));
        if (auto done = run(query, {word, hash}); !done) return done;
        if (!tagged || query.numRowsAffected() > 0) return succeeded();
        query.prepare(QStringLiteral("SELECT 1 FROM kits WHERE hash = ?"));  // tagged already, or gone?
        const auto kit = rowOf(query, {hash});
        if (!kit) return Status::failure(kit.error());
        return kit.value() ? succeeded() : kitGone();
    });
}

}  // namespace morvane::library
