#pragma once

// The SQLite connection under the store's Qt SQL one, for the statements
// recording runs for every kit: Qt binds each value through a QVariant and a
// placeholder name made as text, which was a quarter of an import's writing.
// Not for use outside the library.

#include "base/Result.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <span>

struct sqlite3;
struct sqlite3_stmt;

namespace morvane::library {

// The connection's SQLite handle. Refused unless the driver's SQLite is the
// very build this program was linked with, since its handle is then used
// with this program's calls. The reason is the end of a sentence.
Result<sqlite3*> sqliteOf(const QSqlDatabase& db);

class SqliteStatement {
public:
    // A statement SQLite refuses fails at each run, with SQLite's reason.
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Runs the statement with values bound in order: integers, text, or
    // bytes as a span. The reason, as a sentence, when it fails.
    template <typename... Values>
    Status run(const Values&... values)
    {
        const auto row = hasRow(values...);
        return row ? succeeded() : Status::failure(row.error());
    }

    // As run, and calls read with the statement on its first row, if any:
    // true when there was one. The statement is reset before this returns.
    template <typename Read, typename... Values>
    Result<bool> rowOf(Read&& read, const Values&... values)
    {
        int column = 0;
        (bind(++column, values), ...);
        const bool row = step();
        if (row) read(*this);
        return finish(row);
    }

    // As run: whether there was a row.
    template <typename... Values>
    Result<bool> hasRow(const Values&... values)
    {
        return rowOf([](const SqliteStatement&) {}, values...);
    }

    // The row's columns, for read.
    qint64 integer(int column) const;
    QString text(int column) const;
    // Rows the last run changed, and the id of the last row a run added.
    int changes() const;
    qint64 lastInsertId() const;

private:
    void bind(int column, qint64 value);
    void bind(int column, int value) { bind(column, static_cast<qint64>(value)); }
    void bind(int column, const QString& text);
    void bind(int column, std::span<const std::uint8_t> bytes);
    // True on a row; a failure's reason is kept for finish.
    bool step();
    Result<bool> finish(bool row);

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    QString failure_;
};

}  // namespace morvane::library
