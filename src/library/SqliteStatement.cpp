#include "SqliteStatement.h"

#include "StoreSql.h"

#include <QSqlDriver>

#include <sqlite3.h>

#include <utility>

namespace morvane::library {

Result<sqlite3*> sqliteOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return Result<sqlite3*>::failure("Qt's SQL driver gives no SQLite connection");
    QSqlQuery driver(db);
    const bool asked = driver.exec(QStringLiteral("SELECT sqlite_version(), sqlite_source_id()")) && driver.next();
    if (!asked || driver.value(1).toString() != QLatin1String(sqlite3_sourceid()))
        return Result<sqlite3*>::failure(
            sentence(QStringLiteral("Qt's SQLite driver uses another build of SQLite (%1) than this program (%2)")
                         .arg(asked ? driver.value(0).toString() : QStringLiteral("(unknown)"),
                              QLatin1String(sqlite3_libversion()))));
    return *static_cast<sqlite3* const*>(handle.constData());
}

namespace {

// SQLite's failure as the store's other failures read.
QString sqliteReason(sqlite3* db, int code)
{
    return reasonOf(
        QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db)), QSqlError::StatementError, QString::number(code)));
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) : db_(db)
{
    if (const int code = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
        code != SQLITE_OK)
        failure_ = sqliteReason(db, code);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

void SqliteStatement::bind(int column, qint64 value) { sqlite3_bind_int64(statement_, column, value); }

// Bound without a copy: the values outlive the run, which clears them.
void SqliteStatement::bind(int column, const QString& text)
{
    sqlite3_bind_text16(statement_, column, text.utf16(), static_cast<int>(text.size() * sizeof(char16_t)),
                        SQLITE_STATIC);
}

void SqliteStatement::bind(int column, std::span<const std::uint8_t> bytes)
{
    sqlite3_bind_blob(statement_, column, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
}

bool SqliteStatement::step()
{
    if (!statement_) return false;
    const int code = sqlite3_step(statement_);
    if (code != SQLITE_ROW && code != SQLITE_DONE) failure_ = sqliteReason(db_, code);
    return code == SQLITE_ROW;
}

Result<bool> SqliteStatement::finish(bool row)
{
    if (!statement_) return Result<bool>::failure(sentence(failure_ + QLatin1Char('.')));
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    if (failure_.isEmpty()) return row;
    return Result<bool>::failure(sentence(std::exchange(failure_, QString()) + QLatin1Char('.')));
}

qint64 SqliteStatement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

QString SqliteStatement::text(int column) const
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
    return QString::fromUtf16(text, sqlite3_column_bytes16(statement_, column) / 2);
}

int SqliteStatement::changes() const { return sqlite3_changes(db_); }

qint64 SqliteStatement::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

}  // namespace morvane::library
