// Feeds arbitrary text to the kit library's search as the words a user
// types. A search never fails; words taken from a place in a kit's history
// find that kit, and find another kit only when its place holds them too,
// whatever wildcard or escape characters they contain.
#include "FuzzSupport.h"

#include "kit/KitCodec.h"
#include "library/KitStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

using namespace morvane;
using namespace morvane::library;
using fuzz::require;

namespace {

const QString OtherPlace = QStringLiteral("/elsewhere/Kit_1%.syx");

LibraryKit kitNumbered(int number)
{
    KitFields fields;
    fields.KitNumber = static_cast<std::int16_t>(number);
    fields.PadTCH.fill(10);
    KitDump dump = emptyKitDump();
    require(static_cast<bool>(encodeKit(fields, dump)));
    return LibraryKit::of(dump).value();
}

// One kit the words are recorded for, and another opened from OtherPlace only.
// The store opens in the constructor, so that at exit it closes before Qt's
// list of connections is gone.
struct Library {
    QTemporaryDir folder;
    std::unique_ptr<KitStore> store = KitStore::open(folder.filePath(QStringLiteral("library.sqlite"))).value();
    LibraryKit searched = kitNumbered(1);
    LibraryKit other = kitNumbered(2);
    bool otherRecorded = static_cast<bool>(store->record(other.dump, {EventKind::Opened, OtherPlace}));
};

// "note:N" and "channel:N" look for a pad's value, not for text.
bool hasPadTerm(const QString& words)
{
    const QString lower = words.toLower();
    return lower.contains(QLatin1String("note:")) || lower.contains(QLatin1String("channel:"));
}

// SQLite ignores the letter case of ASCII letters only.
bool inOtherPlace(const QString& words)
{
    const auto tokens = words.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(tokens.begin(), tokens.end(),
                       [](const QString& token) { return OtherPlace.contains(token, Qt::CaseInsensitive); });
}

// Every row the words find, page after page.
Result<std::vector<KitRow>> everyRowFound(KitStore& store, const QString& words)
{
    std::vector<KitRow> rows;
    std::optional<PageStart> start;
    do {
        auto page = store.search({words}, start, 100);
        if (!page) return Result<std::vector<KitRow>>::failure(page.error());
        rows.insert(rows.end(), page.value().rows.begin(), page.value().rows.end());
        start = page.value().next;
    } while (start);
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // No path and no typed text holds a NUL.
    if (std::find(data, data + size, 0) != data + size) return 0;
    const QString words = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static Library library;
    require(library.otherRecorded && everyRowFound(*library.store, words));
    if (words.trimmed().isEmpty() || hasPadTerm(words)) return 0;

    const QString place = QStringLiteral("/kits/") + words + QStringLiteral(".syx");
    require(static_cast<bool>(library.store->record(library.searched.dump, {EventKind::Opened, place})));
    const auto found = everyRowFound(*library.store, words);
    require(found && found.value().size() >= 1 && found.value().size() <= 2);
    const auto isSearched = [&](const KitRow& row) { return row.hash == library.searched.hash; };
    require(std::any_of(found.value().begin(), found.value().end(), isSearched));
    const bool ascii = std::all_of(words.begin(), words.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) require(found.value().size() == (inOtherPlace(words) ? 2U : 1U));
    return 0;
}
