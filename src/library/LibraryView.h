#pragma once

#include "KitImport.h"
#include "KitStore.h"
#include "kit/KitDiff.h"

#include <QString>

#include <vector>

namespace morvane::library {

// What the library window shows and checks, without its widgets.

QString columnTitle(KitColumn column);
QString cellText(const KitRow& row, KitColumn column);

// The star a favourite shows, in its column and as the column's title.
inline const QString FavouriteMark = QStringLiteral("\u2605");

// The tags the user typed, split at spaces and commas, case folded, each once.
QStringList tagsIn(const QString& text);
// The kit's note, and its tags made those of text, adding and removing
// only what changed; the first refusal stops it.
Status saveNoteAndTags(KitStore& store, const KitRow& kit, const QString& note, const QString& tagText);

// 12,345: a count as the user's language groups digits, and grouped in
// threes where the language would write no separator.
QString countText(qint64 count);
// "1 kit", "12,345 kits": the count with the word that goes with it.
QString counted(qint64 count, const char* one, const char* many);

// Local time, as the window and morvane-kit show it: "2024-05-01 18:30".
QString eventTimeText(const QDateTime& time);
// "2024-05-01 18:30  opened from /kits/rock.syx", or "... opened" for an open
// from no file.
QString historyLine(const KitEvent& event);

// The chosen kit, as its actions need it.
struct KitDetails {
    QString hash;
    QString title;
    KitDump dump;
    std::vector<KitEvent> history;  // oldest first
};

Result<KitDetails> detailsOf(KitStore& store, const QString& hash, const QString& title);

// The newest file of the kit's history that still holds exactly its bytes:
// the file it can be opened as or sent from. Otherwise why there is none.
Result<QString> fileHolding(const KitDetails& kit);

QString importSummaryText(const QString& folder, const ImportSummary& summary);

// One line of a comparison: the field, then its value in each kit.
struct DifferenceRow {
    QString field;
    QString current;
    QString chosen;

    bool operator==(const DifferenceRow&) const = default;
};

std::vector<DifferenceRow> differenceRows(const KitDiff& diff);

}  // namespace morvane::library
