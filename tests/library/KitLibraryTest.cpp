#include "library/KitImport.h"
#include "library/KitLibrary.h"
#include "library/LibrarySettings.h"

#include "support/KitFiles.h"
#include "support/ScriptedDesktop.h"

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

QStringList titles(const Result<std::vector<KitRow>>& rows)
{
    QStringList shown;
    for (const auto& row : rows.value()) shown << row.title;
    return shown;
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
    const auto rows = store->search({});
    ASSERT_EQ(titles(rows), (QStringList{"ROCK", "JAZZ"}));
    const KitRow& rock = rows.value()[0];
    EXPECT_EQ(rock.last, events[5]);
    EXPECT_EQ(rock.timesSent, 2);
    EXPECT_EQ(store->historyOf(rock.hash).value(), std::vector<KitEvent>(events, events + 6));
    EXPECT_EQ(store->bytesOf(store->hashStartingWith(rock.hash.left(6).toUpper()).value()).value(), kit("ROCK"));
    EXPECT_FALSE(store->record(KitDump{0xF0, 0xF7}, events[0]));
    ASSERT_TRUE(store->remove(rock.hash));
    EXPECT_EQ(titles(store->search({})), QStringList{"JAZZ"});
    EXPECT_TRUE(store->historyOf(rock.hash).value().empty());
}

TEST_F(Library, SearchMatchesTitlesFilePathsNotesAndChannelsAllAtOnce)
{
    const auto store = open();
    ASSERT_TRUE(store->record(kit("Rock Live", 35), {EventKind::Opened, "/kits/live/r.syx", at(1)}));
    ASSERT_TRUE(store->record(kit("Jazz", 0, 2), {EventKind::Saved, "/kits/studio/j.syx", at(2)}));
    ASSERT_TRUE(store->record(kit("Latin 50%"), {EventKind::Received, "Studio Morvane", at(3)}));
    const std::pair<const char*, QStringList> rows[] = {
        {"", {"Latin 50%", "Jazz", "Rock Live"}},
        {"ROCK", {"Rock Live"}},
        {"studio", {"Jazz"}},  // a path, not a device's name
        {"note:35", {"Rock Live"}},
        {"channel:2", {"Jazz"}},
        {"channel:10 live", {"Rock Live"}},
        {"note:35 jazz", {}},
        {"%", {"Latin 50%"}},
        {"_", {}},
    };
    for (const auto& [query, expected] : rows) EXPECT_EQ(titles(store->search(query)), expected) << query;
}

TEST_F(Library, AFileOfTheFirstVersionOpensAndANewerOneIsLeftAlone)
{
    QFile fixture(MORVANE_SOURCE_DIR "/tests/library/first-version.sql");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    folder.folder("made/by/the/open");
    runSql(file, QString::fromUtf8(fixture.readAll()).split(";\n", Qt::SkipEmptyParts));
    const auto store = open();
    ASSERT_EQ(titles(store->search("note:24 first")), QStringList{"FIRST KIT"});
    const auto recorded = store->record(kit("SECOND"), {});
    EXPECT_TRUE(recorded) << recorded.error();

    const auto newer = path("newer.sqlite");
    runSql(newer, {"PRAGMA user_version = 2"});
    const auto refused = KitStore::open(newer);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("made by a newer version of the editor"), std::string::npos);
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
    // Root writes through file modes, so the read-only folder is made immutable there.
    const auto readOnly = folder.folder("read-only");
    const auto chattr = [&](const char* change) {
        return geteuid() != 0 || std::system(("chattr " + std::string(change) + " '" + readOnly + "'").c_str()) == 0;
    };
    ::chmod(readOnly.c_str(), 0555);
    ASSERT_TRUE(chattr("+i"));
    const std::shared_ptr<void> writableAgain(nullptr, [&](void*) { chattr("-i"); });
    const std::pair<QString, std::string> rows[] = {
        {QString::fromStdString(folder.file("a-file")) + "/kits.sqlite", "its folder"},
        {locked, "another program is using it"},
        {QString::fromStdString(readOnly) + "/kits.sqlite", "cannot be opened or made there"},
    };
    for (const auto& [file, reason] : rows) {
        const auto refused = KitStore::open(file, std::chrono::milliseconds(50));
        ASSERT_FALSE(refused) << reason;
        EXPECT_EQ(refused.error().rfind("The kit library \"" + file.toStdString() + "\" cannot be opened: ", 0), 0u);
        EXPECT_NE(refused.error().find(reason), std::string::npos) << refused.error();
    }
    holder.close();
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
    const auto again = importFolder(*store, path("tree"), {}, cancel).value();
    EXPECT_EQ(std::tie(again.added, again.known, again.notKits), std::tuple(0, 3, 1));
    EXPECT_EQ(store->historyOf(store->search("note:99").value()[0].hash).value().size(), 2u);  // one.syx, copy.syx
    cancel = true;
    EXPECT_TRUE(importFolder(*store, path("tree"), {}, cancel).value().cancelled);
}

TEST_F(Library, TheWindowsLibraryQueuesRecordingsAndTellsTheFirstFailureOnce)
{
    QObject window;
    QStringList failures, found;
    QEventLoop answered;
    {
        auto library = KitLibrary::open(file).value();
        library->whenRecordingFails(&window, [&](const QString& reason) { failures << reason; });
        library->record(kit("QUEUED"), {EventKind::Opened, "/kits/q.syx"});
        library->record({0xF0, 0xF7}, {});
        library->record({0xF0, 0xF7}, {});
        library->search("queued", &window, [&](const auto& rows) {
            found = titles(rows);
            answered.quit();
        });
        answered.exec();
    }
    EXPECT_EQ(found, QStringList{"QUEUED"});
    QCoreApplication::processEvents();
    EXPECT_EQ(failures.size(), 1);

    ScriptedDesktop desktop;
    EXPECT_TRUE(keepsHistory(desktop));
    setKeepsHistory(desktop, false);
    EXPECT_FALSE(keepsHistory(desktop));
}
