#include "library/KitImport.h"
#include "library/KitLibrary.h"
#include "library/KitSelection.h"
#include "library/LibraryView.h"

#include "support/KitFiles.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace morvane;
using namespace morvane::library;
using namespace morvane::testing;

namespace {

KitDump kit(const std::string& title, int firstNote = 0, int firstChannel = 0)
{
    KitSpec spec;
    spec.name = (title + std::string(KitNameLength, ' ')).substr(0, KitNameLength);
    spec.notes[0] = firstNote;
    spec.channels[0] = firstChannel;
    return makeKitDump(spec);
}

QDateTime at(int second) { return QDateTime::fromSecsSinceEpoch(1'700'000'000 + second, Qt::UTC); }

std::vector<KitRow> listed(KitStore& store, const QString& text)
{
    return store.search({text}, {}, 10'000).value().rows;
}

QStringList titles(const std::vector<KitRow>& rows)
{
    QStringList shown;
    for (const auto& row : rows) shown << row.title;
    return shown;
}

// Every row of the search, a page of one at a time, each page looking at one kit.
QStringList pagedTitles(KitStore& store, const KitSearch& search)
{
    QStringList paged;
    std::optional<PageStart> start;
    do {
        const auto page = store.search(search, start, 1, 1).value();
        paged << titles(page.rows);
        start = page.next;
    } while (start);
    return paged;
}

// Runs sql on its own connection, as another program would.
void runSql(const QString& file, const QStringList& statements)
{
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        for (const auto& statement : statements) EXPECT_TRUE(QSqlQuery(db).exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

// Root writes through file modes, so there a read-only path is made immutable too.
void setReadOnly(const std::string& path, bool readOnly)
{
    ::chmod(path.c_str(), readOnly ? 0555 : 0755);
    if (geteuid() == 0) {
        ASSERT_EQ(std::system(("chattr " + std::string(readOnly ? "+i" : "-i") + " '" + path + "'").c_str()), 0);
    }
}

class Library : public ::testing::Test {
protected:
    std::unique_ptr<KitStore> open()
    {
        auto store = KitStore::open(file);
        EXPECT_TRUE(store) << store.error();
        return store ? std::move(store).value() : nullptr;
    }
    QString path(const std::string& relative) const { return QString::fromStdString(folder.path(relative)); }

    TempFolder folder;
    QString file = path("made/by/the/open/kits.sqlite");
};

}  // namespace

TEST_F(Library, EachEventIsKeptInOrderWhileTheKitIsStoredOnce)
{
    const KitEvent events[] = {
        {EventKind::Opened, "/kits/a.syx", at(1)},   {EventKind::Saved, "/kits/b.syx", at(2)},
        {EventKind::Received, "Morvane In", at(3)},  {EventKind::Sent, "Morvane Out", at(4)},
        {EventKind::Sent, "Morvane Out", at(5)},     {EventKind::Imported, "/kits/c.syx", at(6)},
        {EventKind::Imported, "/kits/a.syx", at(7)},  // a place it was met before adds nothing
    };
    const auto store = open();
    ASSERT_TRUE(store->record(kit("JAZZ"), {EventKind::Opened, "/kits/j.syx", at(0)}));
    for (const auto& event : events) ASSERT_TRUE(store->record(kit("ROCK"), event));
    const auto rows = listed(*store, {});
    ASSERT_EQ(titles(rows), (QStringList{"ROCK", "JAZZ"}));
    const KitRow& rock = rows[0];
    EXPECT_EQ(rock.last, events[5]);
    EXPECT_EQ(rock.timesSent, 2);
    EXPECT_EQ(store->historyOf(rock.hash).value(), std::vector<KitEvent>(events, events + 6));
    EXPECT_EQ(store->bytesOf(store->hashStartingWith(rock.hash.left(6).toUpper()).value()).value(), kit("ROCK"));
    EXPECT_FALSE(store->record(KitDump{0xF0, 0xF7}, events[0]));
    ASSERT_TRUE(store->remove(rock.hash));
    EXPECT_EQ(titles(listed(*store, {})), QStringList{"JAZZ"});
    EXPECT_TRUE(store->historyOf(rock.hash).value().empty());

    // Bytes changed under the library are refused, not exported as the kit.
    runSql(file, {"UPDATE kit_bytes SET bytes = x'f0f7'"});
    const auto damaged = store->bytesOf(rows[1].hash);
    ASSERT_FALSE(damaged);
    EXPECT_NE(damaged.error().find("is damaged in the kit library"), std::string::npos) << damaged.error();

    // Of 17 hashes two start with the same digit: that digit names no one kit.
    for (int n = 0; n < 16; ++n) ASSERT_TRUE(store->record(kit("K" + std::to_string(n)), {}));
    QStringList firstDigits;
    for (const auto& row : listed(*store, {})) firstDigits << row.hash.left(1);
    firstDigits.sort();
    const auto shared = std::adjacent_find(firstDigits.begin(), firstDigits.end());
    EXPECT_NE(store->hashStartingWith(*shared).error().find("More than one kit"), std::string::npos);
}

TEST_F(Library, SearchMatchesTitlesFilePathsNotesAndChannelsAllAtOnce)
{
    const auto store = open();
    ASSERT_TRUE(store->record(kit("Rock Live", 35), {EventKind::Opened, "/kits/live/r.syx", at(1)}));
    ASSERT_TRUE(store->record(kit("Rock Live", 35), {EventKind::Saved, "/kits/Second/r.syx", at(1)}));
    ASSERT_TRUE(store->record(kit("Jazz", 0, 2), {EventKind::Saved, "/kits/studio/j.syx", at(2)}));
    ASSERT_TRUE(store->record(kit("Latin 50%"), {EventKind::Received, "Studio Morvane", at(3)}));
    ASSERT_TRUE(store->record(kit("P\xE9rc"), {EventKind::Imported, "/kits/\u00C9t\u00E9/p.syx", at(4)}));
    const std::pair<const char*, QStringList> rows[] = {
        {"", {"P\u00E9rc", "Latin 50%", "Jazz", "Rock Live"}},
        {"ROCK", {"Rock Live"}},
        {"live/r second/r", {"Rock Live"}},  // both its files
        {"P\u00C9RC", {"P\u00E9rc"}},  // case folded beyond ASCII, by the index
        {"\u00C9", {"P\u00E9rc"}},     // and by a word too short for it
        {"\u00E9T\u00C9/", {"P\u00E9rc"}},
        {"studio", {"Jazz"}},  // a path, not a device's name
        {"note:35", {"Rock Live"}},
        {"channel:2", {"Jazz"}},
        {"channel:10 live", {"Rock Live"}},
        {"note:35 jazz", {}},
        {"%", {"Latin 50%"}},
        {"_", {}},
    };
    for (const auto& [query, expected] : rows)
        EXPECT_EQ(titles(listed(*store, QString::fromUtf8(query))), expected) << query;

    // Pages of one, in any order, and looking at one kit at a time, list what one page lists.
    for (const KitSearch& search : {KitSearch{"", KitColumn::Title, false}, KitSearch{"s", KitColumn::Where, true},
                                    KitSearch{"s", KitColumn::When, true}, KitSearch{"s", KitColumn::When, false}})
        EXPECT_EQ(pagedTitles(*store, search), titles(store->search(search, {}, 100).value().rows))
            << search.text.toStdString();
}

TEST_F(Library, StarsNotesAndTagsAreKeptApartFromTheKitAndFoundBySearch)
{
    const auto store = open();
    for (const char* title : {"Rock", "Jazz", "Latin"})
        ASSERT_TRUE(store->record(kit(title), {EventKind::Opened, QStringLiteral("/gig/%1.syx").arg(title), at(1)}));
    const QString rock = listed(*store, "rock")[0].hash;
    const QString jazz = listed(*store, "jazz")[0].hash;
    for (const auto& done : {store->setFavourite(rock, true), store->setNote(rock, "Old zebra note"),
                             store->setNote(rock, "F\u00FCr die B\u00FChne P\u00C9RC"),
                             store->setTagged(rock, " Live", true), store->setTagged(rock, "live", true),
                             store->setTagged(rock, "old", true), store->setTagged(rock, "OLD", false),
                             store->setTagged(jazz, "studio", true), store->setNote(jazz, "ab"),
                             store->setFavourite(jazz, true), store->setFavourite(jazz, false)})
        ASSERT_TRUE(done) << done.error();
    const std::pair<const char*, QStringList> rows[] = {
        {"fav", {"Rock"}},
        {"FAV rock", {"Rock"}},
        {"text:p\u00E9rc", {"Rock"}},  // case folded beyond ASCII
        {"text:B\u00DCHNE", {"Rock"}},
        {"b\u00FChne", {"Rock"}},  // a plain word meets the note too
        {"zebra", {}},             // the old note is forgotten by the index
        {"text:AB", {"Jazz"}},     // too short for the index
        {"text:gig", {}},          // a path is no note
        {"tag:LIVE", {"Rock"}},
        {"tag:old", {}},
        {"tag:studio fav", {}},
    };
    for (const auto& [query, expected] : rows)
        EXPECT_EQ(titles(listed(*store, QString::fromUtf8(query))), expected) << query;

    const KitRow row = listed(*store, "rock")[0];
    EXPECT_TRUE(row.favourite);
    EXPECT_EQ(row.note, "F\u00FCr die B\u00FChne P\u00C9RC");
    EXPECT_EQ(row.tags, QStringList{"live"});
    EXPECT_EQ(store->bytesOf(rock).value(), kit("Rock"));
    const KitSearch byStar{"", KitColumn::Favourite, true};
    EXPECT_EQ(pagedTitles(*store, byStar).value(0), "Rock");
    EXPECT_EQ(pagedTitles(*store, byStar), titles(store->search(byStar, {}, 100).value().rows));

    EXPECT_NE(store->setTagged(rock, "two words", true).error().find("is no tag"), std::string::npos);
    ASSERT_TRUE(store->remove(rock));
    EXPECT_NE(store->setFavourite(rock, true).error().find("no longer in the library"), std::string::npos);
    EXPECT_NE(store->setNote(rock, "x").error().find("no longer in the library"), std::string::npos);
}

TEST_F(Library, AFileOfEachEarlierVersionIsBroughtUpToDateWithItsKitsFoundAndMarkable)
{
    // Each file is made by its version's fixtures, in turn.
    const std::vector<std::vector<std::string>> versions = {
        {"first-version.sql"}, {"second-version.sql"}, {"second-version.sql", "third-version.sql"}};
    for (const auto& fixtures : versions) {
        const std::string fixtureName = fixtures.back();
        const QString old = path(fixtureName + ".sqlite");
        for (const auto& made : fixtures) {
            QFile fixture(QStringLiteral(MORVANE_SOURCE_DIR "/tests/library/") + made.c_str());
            ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
            runSql(old, QString::fromUtf8(fixture.readAll()).split(";\n", Qt::SkipEmptyParts));
        }
        if (fixtureName == "third-version.sql") {  // read as it is while it cannot be written
            setReadOnly(old.toStdString(), true);
            EXPECT_EQ(titles(listed(*KitStore::open(old).value(), "first")), QStringList{"FIRST KIT"});
            setReadOnly(old.toStdString(), false);
        }
        int migrations = 0;
        const auto store = KitStore::open(old, DefaultBusyWait, [&] { ++migrations; }).value();
        EXPECT_EQ(migrations, 1);
        ASSERT_EQ(titles(listed(*store, "note:24 first")), QStringList{"FIRST KIT"}) << fixtureName;
        EXPECT_EQ(titles(listed(*store, "FIRST.SYX")), QStringList{"FIRST KIT"});  // its path, indexed by the update
        ASSERT_TRUE(store->setNote("00f1", "kept"));
        ASSERT_TRUE(store->setTagged("00f1", "live", true));
        EXPECT_EQ(titles(listed(*store, "text:kept first.syx tag:live")), QStringList{"FIRST KIT"});
        const auto recorded = store->record(kit("SECOND"), {});
        EXPECT_TRUE(recorded) << recorded.error();
        ASSERT_TRUE(store->record(kit("SECOND"), {EventKind::Sent, QStringLiteral("Port")}));
        const auto rows = listed(*store, "");  // the latest event first
        ASSERT_EQ(titles(rows), (QStringList{"SECOND", "FIRST KIT"}));
        EXPECT_EQ(std::tie(rows[0].last.kind, rows[0].timesSent), std::tuple(EventKind::Sent, 1));
        EXPECT_EQ(rows[1].last.place, QStringLiteral("/kits/first.syx"));
    }
}

TEST_F(Library, AnUnusableFileIsRefusedWithItsReasonAndADamagedOneSetAside)
{
    const std::vector<std::uint8_t> garbage(4096, 'x');
    const auto damaged = path("damaged.sqlite");
    folder.file("damaged.sqlite", garbage);
    folder.file("damaged.sqlite-wal", garbage);
    const auto opened = KitStore::open(damaged);
    ASSERT_TRUE(opened) << opened.error();
    const auto notice = opened.value()->notice().toStdString();
    EXPECT_EQ(notice.rfind("The kit library \"" + damaged.toStdString() + "\" was damaged; it was kept as \"", 0), 0u);
    const auto asideStart = notice.find("kept as \"") + 9;
    const auto aside = notice.substr(asideStart, notice.find("\" and") - asideStart);
    EXPECT_EQ(readBytes(aside), garbage);
    EXPECT_EQ(readBytes(aside + "-wal"), garbage);

    const auto locked = path("locked.sqlite");
    runSql(locked, {"PRAGMA journal_mode = WAL"});
    auto holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
    holder.setDatabaseName(locked);
    ASSERT_TRUE(holder.open());
    QSqlQuery(holder).exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    QSqlQuery(holder).exec(QStringLiteral("CREATE TABLE held (x)"));
    const auto newer = path("newer.sqlite");
    runSql(newer, {"PRAGMA user_version = 99"});
    const auto readOnly = folder.folder("read-only");
    setReadOnly(readOnly, true);
    const std::shared_ptr<void> writableAgain(nullptr, [&](void*) { setReadOnly(readOnly, false); });
    const std::pair<QString, std::string> rows[] = {
        {QString::fromStdString(folder.file("a-file")) + "/kits.sqlite", "its folder"},
        {locked, "another program is using it"},
        {newer, "made by a newer version of the editor"},
        {QString::fromStdString(readOnly) + "/kits.sqlite", "its folder \"" + readOnly + "\" is read-only"},
    };
    for (const auto& [file, reason] : rows) {
        const auto refused = KitStore::open(file, std::chrono::milliseconds(50));
        ASSERT_FALSE(refused) << reason;
        EXPECT_EQ(refused.error().rfind("The kit library \"" + file.toStdString() + "\" cannot be opened: ", 0), 0u);
        EXPECT_NE(refused.error().find(reason), std::string::npos) << refused.error();
    }
    holder.close();
}

TEST_F(Library, AReadOnlyLibraryIsReadLeavingNoFileBesideItAndIsWrittenOnceWritableAgain)
{
    ASSERT_TRUE(open()->record(kit("KEPT"), {EventKind::Opened, "/kits/k.syx", at(1)}));
    setReadOnly(file.toStdString(), true);
    {
        const auto store = open();
        EXPECT_TRUE(store->notice().endsWith("is read-only: its kits can be looked at, but nothing new is kept in it."));
        EXPECT_EQ(titles(listed(*store, "kept")), QStringList{"KEPT"});
        const auto refused = store->record(kit("NEW"), {});
        EXPECT_NE(refused.error().find("it is read-only"), std::string::npos) << refused.error();
    }
    EXPECT_FALSE(QFile::exists(file + "-wal") || QFile::exists(file + "-shm"));
    setReadOnly(file.toStdString(), false);
    const auto store = open();
    EXPECT_TRUE(store->notice().isEmpty());
    EXPECT_TRUE(store->record(kit("NEW"), {}));
}

TEST_F(Library, AnImportCountsNewKnownAndNotKitsOnceAndStopsWhenCancelled)
{
    folder.file("tree/a/one.syx", kit("ONE", 99));
    folder.file("tree/a/b/two.syx", kit("TWO"));
    folder.file("tree/copy.syx", kit("ONE", 99));
    folder.file("tree/short.syx");
    folder.file("tree/notes.txt", kit("TXT"));
    const auto store = open();
    std::atomic<bool> cancel{false};
    std::vector<std::pair<int, int>> progress;
    const auto noted = [&](int done, int total) { progress.emplace_back(done, total); };
    const auto first = importFolder(*store, path("tree"), noted, cancel).value();
    EXPECT_EQ(std::tie(first.added, first.known, first.notKits, first.cancelled), std::tuple(2, 1, 1, false));
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{4, 4}}));
    EXPECT_EQ(titles(listed(*store, "A/ONE COPY.SYX")), QStringList{"ONE"});  // both files, met in one batch
    const auto again = importFolder(*store, path("tree"), {}, cancel).value();
    EXPECT_EQ(std::tie(again.added, again.known, again.notKits), std::tuple(0, 3, 1));
    EXPECT_EQ(store->historyOf(listed(*store, "note:99")[0].hash).value().size(), 2u);  // one.syx, copy.syx

    // Past one transaction: progress after each, the last with the total, and a failure in a
    // later one says how many the earlier ones stored.
    const int batch = static_cast<int>(ImportBatchSize);
    for (int n = 0; n <= batch; ++n) folder.file("big/" + std::to_string(n) + ".syx", kit("B" + std::to_string(n)));
    progress.clear();
    EXPECT_EQ(importFolder(*store, path("big"), noted, cancel).value().added, batch + 1);
    ASSERT_GE(progress.size(), 2u);
    EXPECT_EQ(progress.back(), std::pair(batch + 1, batch + 1));
    file = path("stopping.sqlite");
    const auto stopping = open();
    runSql(file, {QStringLiteral("CREATE TRIGGER full BEFORE INSERT ON kits WHEN (SELECT count(*) FROM kits) >= %1"
                                 " BEGIN SELECT RAISE(FAIL, 'database or disk is full'); END").arg(batch)});
    const auto stopped = importFolder(*stopping, path("big"), {}, cancel);
    ASSERT_FALSE(stopped);
    const auto told = QStringLiteral("disk is full. The import stopped there; %1 new kits were stored before it.");
    const auto stored = static_cast<qint64>(listed(*stopping, "").size());
    EXPECT_NE(stopped.error().find(told.arg(countText(stored)).toStdString()), std::string::npos) << stopped.error();
    cancel = true;
    EXPECT_TRUE(importFolder(*store, path("tree"), {}, cancel).value().cancelled);
}

TEST_F(Library, TheWindowsLibraryQueuesRecordingsAndTellsTheFirstFailureOnce)
{
    QObject window;
    QStringList failures, found;
    int migrations = 0;
    QEventLoop answered;
    {
        // Asked for before the open ends, so it waits for the open in the library's queue.
        KitLibrary library(file, &window, [&] { ++migrations; }, [](const Result<QString>&) {});
        library.whenRecordingFails(&window, [&](const QString& reason) { failures << reason; });
        library.record(kit("QUEUED"), {EventKind::Opened, "/kits/q.syx"});
        library.record({0xF0, 0xF7}, {});
        library.record({0xF0, 0xF7}, {});
        library.post([&](KitStore& store) {
            found = titles(listed(store, "queued"));
            QMetaObject::invokeMethod(&window, [&] { answered.quit(); });
        });
        answered.exec();
    }
    EXPECT_EQ(found, QStringList{"QUEUED"});
    QCoreApplication::processEvents();
    EXPECT_EQ(failures.size(), 1);
    EXPECT_EQ(migrations, 0);  // a new file is made, not brought up to date
}

TEST(ExportNames, EachTitleBecomesASafeNameUniqueWithinTheExportWhateverTheCase)
{
    const std::pair<QString, QString> rows[] = {
        {"Rock", "Rock.syx"},         {"rock", "rock (2).syx"},   {"Rock (2)", "Rock (2) (2).syx"},
        {"Rock", "Rock (3).syx"},     {"A/B\\C:D*?", "A_B_C_D__.syx"}, {"<x>|\"\t", "_x____.syx"},
        {". hidden .", "hidden.syx"}, {"con", "con_.syx"},        {"COM1", "COM1_.syx"},
        {"Console", "Console.syx"},   {" . ", "Kit.syx"},         {"", "Kit (2).syx"},
    };
    std::vector<ChosenKit> kits;
    for (const auto& row : rows) kits.push_back({{}, row.first});
    const auto names = exportFileNames(kits);
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], rows[i].second) << i;
}

// A file that exists is replaced only when the user said so, and one that
// came after the question never; each written file is recorded as saved.
TEST_F(Library, AnExportWritesTheLibrarysBytesAndReplacesOnlyWhatItWasAllowedTo)
{
    auto store = open();
    std::vector<ChosenKit> kits;
    for (const char* title : {"One", "Two", "Three"}) {
        ASSERT_TRUE(store->record(kit(title), {EventKind::Imported, "/k"}));
        kits.push_back({LibraryKit::of(kit(title)).value().hash, title});
    }
    const std::string into = folder.path("out");
    folder.file("out/One.syx", {1});
    const auto plan = planExport(kits, QString::fromStdString(into));
    EXPECT_EQ(plan.existing, 1);
    EXPECT_EQ(replaceQuestion(plan).toStdString(), "1 of the 3 files to export exist already in \"" + into +
                                                       "\". Replace them, or skip those kits and export the others?");
    folder.file("out/Two.syx", {2});
    const std::atomic<bool> goOn{false};
    auto summary = exportKits(*store, plan, ExistingFiles::Skip, true, {}, goOn);
    EXPECT_EQ(std::pair(summary.written, summary.skipped), std::pair(1, 2));
    EXPECT_EQ(readBytes(into + "/One.syx"), KitDump{1});
    EXPECT_EQ(readBytes(into + "/Three.syx"), kit("Three"));
    const auto saved = store->historyOf(kits[2].hash).value().back();
    EXPECT_EQ(std::pair(saved.kind, saved.place),
              std::pair(EventKind::Saved, QString::fromStdString(into + "/Three.syx")));
    summary = exportKits(*store, plan, ExistingFiles::Replace, false, {}, goOn);
    EXPECT_EQ(std::pair(summary.written, summary.skipped), std::pair(1, 2));
    EXPECT_EQ(readBytes(into + "/One.syx"), kit("One"));
    EXPECT_EQ(readBytes(into + "/Two.syx"), KitDump{2});
    EXPECT_EQ(exportSummaryText(QString::fromStdString(into), summary).toStdString(),
              "1 kit exported to \"" + into + "\". 2 kits skipped: their files exist.");
}
