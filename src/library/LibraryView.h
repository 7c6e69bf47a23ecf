#pragma once

#include "KitImport.h"
#include "KitStore.h"
#include "kit/KitDiff.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace morvane::library {

// What the library window shows and checks, without its widgets.

enum class KitColumn { Title, Kit, Bank, LastEvent, When, Where, TimesSent };
inline constexpr int KitColumnCount = 7;

QString columnTitle(KitColumn column);
// Numbers as numbers, so a column of them sorts by value.
QVariant cellOf(const KitRow& row, KitColumn column);

// Local time, as the window and morvane-kit show it: "2024-05-01 18:30".
QString eventTimeText(const QDateTime& time);
// "2024-05-01 18:30  opened from /kits/rock.syx"
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
