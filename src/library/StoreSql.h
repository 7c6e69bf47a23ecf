#pragma once

// What the store's files share: SQLite's failures as the user reads them,
// and rows read back. Not for use outside the library.

#include "KitStore.h"
#include "SqliteStatement.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <optional>
#include <string>

namespace morvane::library {

// SQLite's primary result codes, as Qt's driver reports them.
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, Corrupt = 11, CantOpen = 14, NotADatabase = 26 };

int primaryCode(const QSqlError& error);
bool isDamage(const QSqlError& error);
// Why the file cannot be used, as the end of a sentence.
QString reasonOf(const QSqlError& error);

inline std::string sentence(const QString& text) { return text.toStdString(); }

template <typename Bytes>
QByteArray byteArray(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// The kind, place and time columns starting at firstColumn.
KitEvent eventAt(const QSqlQuery& query, int firstColumn);

// Titles and paths as the search index keeps them and a search word meets
// them: case folded in every script, which SQLite's own LIKE does for ASCII only.
inline QString searchFolded(const QString& text) { return text.toCaseFolded(); }

// Events whose place is a file, and so is searched: an open from no file
// (a kit of the library that has none) has no place.
bool isFileEvent(const KitEvent& event);

// The files a kit (as k) was in, one to a line, as SQL.
inline constexpr const char* KitFilePlaces =
    "(SELECT group_concat(place, char(10)) FROM"
    " (SELECT DISTINCT place FROM events WHERE kit = k.id AND kind IN ('opened', 'saved', 'imported')))";
// What a search word meets of a kit: its title, the files it was in and its note.
QString wordsOf(const QString& title, const QString& places, const QString& note);

// Runs a prepared query with values; the reason, as a sentence, when it fails.
Status run(QSqlQuery& query, const QVariantList& values);
// Runs a query for one row; its values, or none when there is no such row.
Result<std::optional<QSqlRecord>> rowOf(QSqlQuery& query, const QVariantList& values);

}  // namespace morvane::library

namespace morvane::library {

// The statements a recording runs for every kit, prepared once.
struct KitStore::Statements {
    explicit Statements(sqlite3* db);
    SqliteStatement findKit, insertKit, insertBytes, placeKnown, lastEvent, insertEvent, markLatest, indexWords,
        unindexWords, setWords, indexNewKits;
};

}  // namespace morvane::library
