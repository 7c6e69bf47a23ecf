#include "LibraryView.h"

#include "StoreSql.h"

#include "kit/Cp1252.h"
#include "kit/KitFile.h"
#include "platform/FilePath.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>

namespace morvane::library {

QString columnTitle(KitColumn column)
{
    switch (column) {
    case KitColumn::Favourite: return FavouriteMark;
    case KitColumn::Title: return QStringLiteral("Title");
    case KitColumn::Kit: return QStringLiteral("Kit #");
    case KitColumn::Bank: return QStringLiteral("Bank #");
    case KitColumn::LastEvent: return QStringLiteral("Last event");
    case KitColumn::When: return QStringLiteral("When");
    case KitColumn::Where: return QStringLiteral("Where from");
    case KitColumn::TimesSent: return QStringLiteral("Times sent");
    }
    return {};
}

QString cellText(const KitRow& row, KitColumn column)
{
    switch (column) {
    case KitColumn::Favourite: return row.favourite ? FavouriteMark : QString();
    case KitColumn::Title: return row.title;
    case KitColumn::Kit: return QString::number(row.kitNumber);
    case KitColumn::Bank: return QString::number(row.bank);
    case KitColumn::LastEvent: return eventName(row.last.kind);
    case KitColumn::When: return eventTimeText(row.last.time);
    case KitColumn::Where: return QDir::toNativeSeparators(row.last.place);
    case KitColumn::TimesSent: return countText(row.timesSent);
    }
    return {};
}

QStringList tagsIn(const QString& text)
{
    QStringList tags = searchFolded(text).split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    tags.removeDuplicates();
    return tags;
}

Status saveNoteAndTags(KitStore& store, const KitRow& kit, const QString& note, const QString& tagText)
{
    if (auto saved = store.setNote(kit.hash, note); !saved) return saved;
    const QStringList tags = tagsIn(tagText);
    for (const QString& tag : tags)
        if (!kit.tags.contains(tag))
            if (auto added = store.setTagged(kit.hash, tag, true); !added) return added;
    for (const QString& tag : kit.tags)
        if (!tags.contains(tag))
            if (auto removed = store.setTagged(kit.hash, tag, false); !removed) return removed;
    return succeeded();
}

QString countText(qint64 count)
{
    QLocale locale;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(count);
}

QString counted(qint64 count, const char* one, const char* many)
{
    return countText(count) + QLatin1Char(' ') + QString::fromLatin1(count == 1 ? one : many);
}

QString eventTimeText(const QDateTime& time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString historyLine(const KitEvent& event)
{
    const QString what = event.place.isEmpty() ? eventName(event.kind)
                                               : eventPhrase(event.kind) + QLatin1Char(' ') + event.place;
    return eventTimeText(event.time) + QStringLiteral("  ") + what;
}

Result<KitDetails> detailsOf(KitStore& store, const QString& hash, const QString& title)
{
    auto dump = store.bytesOf(hash);
    if (!dump) return Result<KitDetails>::failure(dump.error());
    auto history = store.historyOf(hash);
    if (!history) return Result<KitDetails>::failure(history.error());
    return KitDetails{hash, title, std::move(dump).value(), std::move(history).value()};
}

// A file that changed since holds another kit now: opening or sending it
// would not be this kit.
Result<QString> fileHolding(const KitDetails& kit)
{
    bool wasInAFile = false;
    for (auto event = kit.history.rbegin(); event != kit.history.rend(); ++event) {
        if (!isFileEvent(*event)) continue;
        wasInAFile = true;
        const auto bytes = readWholeFile(toFilePath(event->place));
        if (bytes && bytes.value() == kit.dump) return event->place;
    }
    const QString why = wasInAFile ? QStringLiteral("No file the library knows of still holds the kit \"%1\": "
                                                    "each was changed, moved or deleted since.")
                                   : QStringLiteral("The kit \"%1\" was never in a file the library knows of.");
    return Result<QString>::failure(why.arg(kit.title).toStdString());
}

QString importSummaryText(const QString& folder, const ImportSummary& summary)
{
    const QString counts = QStringLiteral("%1 added, %2 already known, %3.")
                               .arg(counted(summary.added, "kit", "kits"), countText(summary.known),
                                    counted(summary.notKits, "file not a kit", "files not kits"));
    QString text = summary.cancelled
                       ? QStringLiteral("The import from %1 was cancelled. Before that: %2").arg(quotedFile(folder), counts)
                       : QStringLiteral("Imported from %1: %2").arg(quotedFile(folder), counts);
    if (!summary.unreadableFolders.empty())
        text += QStringLiteral("\nFolders that could not be read and were skipped: %1.")
                    .arg(countText(static_cast<qint64>(summary.unreadableFolders.size())));
    return text;
}

std::vector<DifferenceRow> differenceRows(const KitDiff& diff)
{
    std::vector<DifferenceRow> rows;
    const auto add = [&rows](const QString& field, const auto& change, const auto& text) {
        if (change) rows.push_back({field, text(change->first), text(change->second)});
    };
    const auto number = [](auto value) { return QString::number(value); };
    add(QStringLiteral("Kit #"), diff.kitNumber, number);
    add(QStringLiteral("Bank #"), diff.bankNumber, number);
    add(QStringLiteral("Title"), diff.kitName, [](const std::string& name) {
        return QLatin1Char('"') + QString::fromStdString(utf8FromCp1252(name)).replace(QChar(0), QLatin1Char(' ')) +
               QLatin1Char('"');
    });
    for (const auto& pad : diff.pads) {
        add(QStringLiteral("Pad %1 note").arg(pad.pad), pad.note, number);
        add(QStringLiteral("Pad %1 channel").arg(pad.pad), pad.channel, number);
    }
    if (diff.otherBytes > 0) {
        const QString differ = QStringLiteral("%1 differ").arg(diff.otherBytes);
        rows.push_back({QStringLiteral("Other bytes"), differ, differ});
    }
    add(QStringLiteral("Length"), diff.length, [](std::size_t length) { return QStringLiteral("%1 bytes").arg(length); });
    return rows;
}

}  // namespace morvane::library
