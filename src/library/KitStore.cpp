// Reading a kit back, and taking one out.
#include "KitStore.h"

#include "StoreSql.h"

#include <QCryptographicHash>

#include <algorithm>

namespace morvane::library {

Result<QString> KitStore::hashStartingWith(const QString& prefix)
{
    using Found = Result<QString>;
    const QString lower = prefix.toLower();
    const bool isHex = !lower.isEmpty() && std::all_of(lower.begin(), lower.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
    });
    if (!isHex)
        return Found::failure(sentence(
            QStringLiteral("\"%1\" is no hash: a hash is made of the digits 0-9 and the letters a-f.").arg(prefix)));
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT hash FROM kits WHERE hash >= ? AND hash < ? LIMIT 2"));
    query.bindValue(0, lower);
    query.bindValue(1, lower + QLatin1Char('g'));  // past every longer hash with this prefix
    if (!query.exec()) return Found::failure(readFailure(query));
    if (!query.next())
        return Found::failure(
            sentence(QStringLiteral("No kit in the library has a hash starting with %1.").arg(lower)));
    const QString hash = query.value(0).toString();
    if (query.next())
        return Found::failure(sentence(
            QStringLiteral("More than one kit has a hash starting with %1; give more of it.").arg(lower)));
    return hash;
}

// The bytes are what an export writes and an open sends: a file damaged
// under the library must not pass them on as the kit.
Result<KitDump> KitStore::bytesOf(const QString& hash)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT b.bytes FROM kit_bytes b JOIN kits k ON k.id = b.kit WHERE k.hash = ?"));
    query.bindValue(0, hash);
    if (!query.exec()) return Result<KitDump>::failure(readFailure(query));
    if (!query.next())
        return Result<KitDump>::failure(sentence(QStringLiteral("No kit in the library has the hash %1.").arg(hash)));
    const QByteArray bytes = query.value(0).toByteArray();
    if (QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() != hash.toLatin1())
        return Result<KitDump>::failure(sentence(
            QStringLiteral("The kit %1 is damaged in the kit library %2: its bytes no longer match their hash.")
                .arg(hash.left(12), quotedFile(file_))));
    return KitDump(bytes.begin(), bytes.end());
}

Result<std::vector<KitEvent>> KitStore::historyOf(const QString& hash)
{
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT e.kind, e.place, e.time FROM events e JOIN kits k ON k.id = e.kit"
                                 " WHERE k.hash = ? ORDER BY e.id"));
    query.bindValue(0, hash);
    if (!query.exec()) return Result<std::vector<KitEvent>>::failure(readFailure(query));
    std::vector<KitEvent> events;
    while (query.next()) events.push_back(eventAt(query, 0));
    return events;
}

Status KitStore::change(const QString& doing, const std::function<Status(QSqlQuery&)>& work)
{
    QSqlQuery query(db_);
    const auto refused = [&](const std::string& why) {
        QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
        return Status::failure(sentence(
            QStringLiteral("The kit library %1 could not %2: %3").arg(quotedFile(file_), doing, QString::fromStdString(why))));
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) return refused(sentence(reasonOf(query.lastError()) + '.'));
    if (auto done = work(query); !done) return refused(done.error());
    if (!query.exec(QStringLiteral("COMMIT"))) return refused(sentence(reasonOf(query.lastError()) + '.'));
    return succeeded();
}

Status KitStore::remove(std::span<const QString> hashes)
{
    const QString doing = hashes.size() == 1 ? QStringLiteral("delete the kit") : QStringLiteral("delete the kits");
    return change(doing, [&](QSqlQuery& query) {
        for (const char* statement : {"DELETE FROM events WHERE kit IN (SELECT id FROM kits WHERE hash = ?)",
                                      "DELETE FROM kit_bytes WHERE kit IN (SELECT id FROM kits WHERE hash = ?)",
                                      "DELETE FROM kit_tags WHERE kit IN (SELECT id FROM kits WHERE hash = ?)",
                                      "INSERT INTO kit_text (kit_text, rowid, words)"
                                      " SELECT 'delete', id, words FROM kits WHERE hash = ?",
                                      "DELETE FROM kits WHERE hash = ?"}) {
            query.prepare(QString::fromLatin1(statement));
            for (const QString& hash : hashes)
                if (auto done = run(query, {hash}); !done) return done;
        }
        return succeeded();
    });
}

std::string KitStore::readFailure(const QSqlQuery& query) const
{
    return sentence(
        QStringLiteral("The kit library %1 cannot be read: %2.").arg(quotedFile(file_), reasonOf(query.lastError())));
}

}  // namespace morvane::library
