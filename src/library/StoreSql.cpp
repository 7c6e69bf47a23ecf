#include "StoreSql.h"

#include <QDir>

#include <array>

namespace morvane::library {
namespace {

constexpr std::array<const char*, 5> KindNames = {"opened", "saved", "received", "sent", "imported"};
constexpr std::array<const char*, 5> KindPhrases = {"opened from", "saved to", "received from", "sent to",
                                                    "imported from"};

EventKind kindNamed(const QString& name)
{
    for (std::size_t k = 0; k < KindNames.size(); ++k)
        if (name == QLatin1String(KindNames[k])) return static_cast<EventKind>(k);
    return EventKind::Opened;
}

}  // namespace

QString eventName(EventKind kind) { return QString::fromLatin1(KindNames[static_cast<std::size_t>(kind)]); }

QString eventPhrase(EventKind kind) { return QString::fromLatin1(KindPhrases[static_cast<std::size_t>(kind)]); }

bool isFileEvent(const KitEvent& event)
{
    return event.kind != EventKind::Received && event.kind != EventKind::Sent && !event.place.isEmpty();
}

QString quotedFile(const QString& file)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(file) + QLatin1Char('"');
}

int primaryCode(const QSqlError& error) { return error.nativeErrorCode().toInt() & 0xff; }

bool isDamage(const QSqlError& error)
{
    const int code = primaryCode(error);
    return code == NotADatabase || code == Corrupt;
}

QString reasonOf(const QSqlError& error)
{
    switch (primaryCode(error)) {
    case Busy:
    case Locked: return QStringLiteral("another program is using it");
    case ReadOnly: return QStringLiteral("it is read-only");
    case CantOpen: return QStringLiteral("the file cannot be opened or made there");
    default: return error.databaseText().isEmpty() ? error.text() : error.databaseText();
    }
}

QString wordsOf(const QString& title, const QString& places, const QString& note)
{
    QString words = title;
    for (const QString& more : {places, note})
        if (!more.isEmpty()) words += QLatin1Char('\n') + more;
    return searchFolded(words);
}

Status run(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    return query.exec() ? succeeded() : Status::failure(sentence(reasonOf(query.lastError()) + '.'));
}

Result<std::optional<QSqlRecord>> rowOf(QSqlQuery& query, const QVariantList& values)
{
    if (auto done = run(query, values); !done) return Result<std::optional<QSqlRecord>>::failure(done.error());
    std::optional<QSqlRecord> found;
    if (query.next()) found = query.record();
    query.finish();
    return found;
}

KitEvent eventAt(const QSqlQuery& query, int firstColumn)
{
    return {kindNamed(query.value(firstColumn).toString()), query.value(firstColumn + 1).toString(),
            QDateTime::fromMSecsSinceEpoch(query.value(firstColumn + 2).toLongLong(), Qt::UTC)};
}

}  // namespace morvane::library
