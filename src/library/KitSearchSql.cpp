// The search: each term as SQL, the sort order, and pages that begin where
// the last one ended.
#include "KitStore.h"

#include "StoreSql.h"

#include <limits>

namespace morvane::library {
namespace {

// One search term as SQL, with the values its placeholders take; scans
// when it is checked kit by kit rather than found through an index.
struct Condition {
    QString sql;
    QVariantList values;
    bool scans = true;
};

// "note:38" -> 38; anything else (another word, a number out of range) is no pad term.
std::optional<int> padTerm(const QString& token, QLatin1String prefix)
{
    if (!token.startsWith(prefix, Qt::CaseInsensitive)) return std::nullopt;
    bool isNumber = false;
    const int value = token.mid(prefix.size()).toInt(&isNumber);
    if (!isNumber || value < 0 || value > 255) return std::nullopt;
    return value;
}

// Past this many kits a word is common: checking each kit listed in order
// finds a page sooner than gathering every kit the index holds for it.
constexpr int CommonWord = 2000;

QString ftsPhrase(QString word)
{
    word.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + word + QLatin1Char('"');
}

bool isCommon(const QSqlDatabase& db, const QString& phrase)
{
    QSqlQuery count(db);
    count.prepare(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM kit_text WHERE kit_text MATCH ? LIMIT %1)")
                      .arg(CommonWord));
    count.bindValue(0, phrase);
    return count.exec() && count.next() && count.value(0).toInt() == CommonWord;
}

// FTS5's trigram index gathers the kits of a word of three characters or
// more; a shorter or common one is looked for in each kit's words.
Condition wordCondition(const QSqlDatabase& db, const QString& token)
{
    const QString word = searchFolded(token);
    const QString phrase = ftsPhrase(word);
    if (word.toUcs4().size() < 3 || isCommon(db, phrase))
        return {QStringLiteral("instr(k.words, ?) > 0"), {word}};
    return {QStringLiteral("k.id IN (SELECT rowid FROM kit_text WHERE kit_text MATCH ?)"), {phrase}, false};
}

// "tag:live" -> "live"; a bare prefix is a word like any other.
std::optional<QString> markTerm(const QString& token, QLatin1String prefix)
{
    if (!token.startsWith(prefix, Qt::CaseInsensitive) || token.size() == prefix.size()) return std::nullopt;
    return searchFolded(token.mid(prefix.size()));
}

// The note is among the kit's words, so their index gathers the kits first.
Condition noteCondition(const QSqlDatabase& db, const QString& word)
{
    Condition inWords = wordCondition(db, word);
    inWords.sql += QStringLiteral(" AND instr(k.folded_note, ?) > 0");
    inWords.values << word;
    return inWords;
}

Condition conditionOf(const QSqlDatabase& db, const QString& token)
{
    const auto padByte = [](int value) { return QByteArray(1, static_cast<char>(value)); };
    if (const auto note = padTerm(token, QLatin1String("note:")))
        return {QStringLiteral("instr(k.notes, ?) > 0"), {padByte(*note)}};
    if (const auto channel = padTerm(token, QLatin1String("channel:")))
        return {QStringLiteral("instr(k.channels, ?) > 0"), {padByte(*channel)}};
    if (token.compare(QLatin1String("fav"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("k.favourite = 1"), {}, false};
    if (const auto tag = markTerm(token, QLatin1String("tag:")))
        return {QStringLiteral("k.id IN (SELECT kit FROM kit_tags WHERE tag = ?)"), {*tag}, false};
    if (const auto text = markTerm(token, QLatin1String("text:"))) return noteCondition(db, *text);
    return wordCondition(db, token);
}

QString sortExpression(KitColumn column)
{
    switch (column) {
    case KitColumn::Favourite: return QStringLiteral("k.favourite");
    case KitColumn::Title: return QStringLiteral("k.title");
    case KitColumn::Kit: return QStringLiteral("k.kit_number");
    case KitColumn::Bank: return QStringLiteral("k.bank");
    case KitColumn::LastEvent: return QStringLiteral("e.kind");
    case KitColumn::When: return QStringLiteral("k.last_event");
    case KitColumn::Where: return QStringLiteral("e.place");
    case KitColumn::TimesSent: return QStringLiteral("k.times_sent");
    }
    return {};
}

// The latest event's id, which orders the kits by when.
qint64 newestEvent(const QSqlDatabase& db)
{
    QSqlQuery newest(db);
    return newest.exec(QStringLiteral("SELECT max(id) FROM events")) && newest.next() ? newest.value(0).toLongLong()
                                                                                      : 0;
}

}  // namespace

// The kit's id breaks ties, so a page starts exactly after the last row shown.
//
// Listed by when, a search that checks kits one by one looks at one slice of
// them at a time, in the index of their latest events, and a slice that fills
// no page ends it early with where the next slice begins: a word no kit holds
// costs one slice per page, not the whole library.
Result<KitPage> KitStore::search(const KitSearch& search, const std::optional<PageStart>& start, int limit,
                                 qint64 slice)
{
    QStringList where;
    QVariantList values;
    bool scans = false;
    for (const QString& token : search.text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto condition = conditionOf(db_, token);
        where << condition.sql;
        values << condition.values;
        scans = scans || condition.scans;
    }
    const QString sorted = sortExpression(search.sortColumn);
    const QString direction = search.descending ? QStringLiteral("DESC") : QStringLiteral("ASC");
    if (start) {
        where << QStringLiteral("(%1, k.id) %2 (?, ?)").arg(sorted, search.descending ? "<" : ">");
        values << start->sortValue << start->id;
    }
    // The slice's far end, and where the one after it starts when there is one.
    std::optional<PageStart> nextSlice;
    if (scans && search.sortColumn == KitColumn::When) {
        const qint64 newest = newestEvent(db_);
        const qint64 edge = start ? start->sortValue.toLongLong() : (search.descending ? newest : 0);
        const qint64 end = search.descending ? edge - slice : edge + slice;
        where << QStringLiteral("k.last_event %1 ?").arg(search.descending ? ">" : "<=");
        values << end;
        // Past every kit id: the next slice starts with the events beyond end.
        if (search.descending ? end > 0 : end < newest)
            nextSlice = PageStart{end, std::numeric_limits<qint64>::max()};
    }
    const QString filter =
        where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT k.id, k.hash, k.title, k.kit_number, k.bank, e.kind, e.place, e.time,"
                                 " k.times_sent, k.favourite, k.note,"
                                 " (SELECT group_concat(tag, ' ') FROM kit_tags WHERE kit = k.id),"
                                 " %1 FROM kits k JOIN events e ON e.id = k.last_event%2"
                                 " ORDER BY %1 %3, k.id %3 LIMIT %4")
                      .arg(sorted, filter, direction)
                      .arg(limit));
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    if (!query.exec()) return Result<KitPage>::failure(readFailure(query));
    KitPage page;
    PageStart last;
    while (query.next()) {
        QStringList tags = query.value(11).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        tags.sort();
        page.rows.push_back({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                             query.value(3).toInt(), query.value(4).toInt(), eventAt(query, 5),
                             query.value(8).toInt(), query.value(9).toBool(), query.value(10).toString(),
                             std::move(tags)});
        last = {query.value(12), page.rows.back().id};
    }
    page.next = static_cast<int>(page.rows.size()) == limit ? std::optional(last) : nextSlice;
    return page;
}

}  // namespace morvane::library
