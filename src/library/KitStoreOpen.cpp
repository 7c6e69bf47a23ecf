// Opening the store: its folder, its connection, a damaged file set aside,
// and a file that can only be read opened so that nothing is written beside it.
#include "KitStore.h"

#include "LibrarySchema.h"
#include "StoreSql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <atomic>
#include <optional>

namespace morvane::library {
namespace {

std::string cannotOpen(const QString& file, const QString& why)
{
    return sentence(QStringLiteral("The kit library %1 cannot be opened: %2.").arg(quotedFile(file), why));
}

QString newConnectionName()
{
    static std::atomic<int> next{0};
    return QStringLiteral("morvane-library-%1").arg(next++);
}

void dropConnection(QSqlDatabase& db, const QString& name)
{
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

struct SetUpFailure {
    QString why;
    bool damaged = false;
};

SetUpFailure failureOf(const QSqlError& error) { return {reasonOf(error), isDamage(error)}; }

// WAL lets a second editor read while one writes; NORMAL syncs at each
// checkpoint rather than each commit, which WAL keeps safe from damage.
// The write lock taken for the schema shows at once whether the file can be
// written at all.
std::optional<SetUpFailure> setUpForWriting(QSqlDatabase& db, const std::function<void()>& migrating)
{
    QSqlQuery query(db);
    for (const char* statement : {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL",
                                  "PRAGMA mmap_size = 268435456", "BEGIN IMMEDIATE"})
        if (!query.exec(QString::fromLatin1(statement))) return failureOf(query.lastError());
    if (auto migrated = migrate(db, migrating); !migrated) {
        query.exec(QStringLiteral("ROLLBACK"));
        return SetUpFailure{QString::fromStdString(migrated.error())};
    }
    if (!query.exec(QStringLiteral("COMMIT"))) return failureOf(query.lastError());
    return std::nullopt;
}

std::optional<SetUpFailure> setUpForReading(QSqlDatabase& db)
{
    QSqlQuery query(db);
    // Reading the schema shows whether the file is a database at all.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_schema"))) return failureOf(query.lastError());
    if (auto current = isCurrent(db); !current) return SetUpFailure{QString::fromStdString(current.error())};
    return std::nullopt;
}

// Read only, the file is opened immutable: SQLite then takes no lock and
// makes no -wal or -shm file, which would keep the library refused once it
// is writable again.
std::optional<SetUpFailure> connect(const QString& file, std::chrono::milliseconds busyWait, bool readOnly,
                                    const std::function<void()>& migrating, QString& name, QSqlDatabase& db)
{
    name = newConnectionName();
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyWait.count());
    if (readOnly) {
        db.setDatabaseName(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + QStringLiteral("?immutable=1"));
        options += QStringLiteral(";QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY");
    } else {
        db.setDatabaseName(file);
    }
    db.setConnectOptions(options);
    std::optional<SetUpFailure> failed;
    if (!db.open())
        failed = failureOf(db.lastError());
    else
        failed = readOnly ? setUpForReading(db) : setUpForWriting(db, migrating);
    if (failed) dropConnection(db, name);
    return failed;
}

// A file with content but without SQLite's header was never a library, or was
// damaged; it is set aside before SQLite opens it and touches its journal.
bool hasSqliteHeader(const QString& file)
{
    QFile existing(file);
    if (existing.size() == 0 || !existing.open(QIODevice::ReadOnly)) return true;  // new, or SQLite tells why
    return existing.read(16) == QByteArray("SQLite format 3", 16);
}

// Renames the file, and the journal files beside it, to one free name with a
// suffix. The journal must go too: replayed into a fresh file it would damage it.
Result<QString> moveAside(const QString& file)
{
    const QString stem = file + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stem;
    for (int n = 2; QFile::exists(aside); ++n) aside = stem + QStringLiteral("-%1").arg(n);
    for (const char* companion : {"", "-wal", "-shm"}) {
        QFile moved(file + companion);
        if (moved.exists() && !moved.rename(aside + companion))
            return Result<QString>::failure(sentence(moved.errorString()));
    }
    return aside;
}

// A companion file left read-only (by an older editor reading a read-only
// library) keeps a writable library refused; the user is told which one.
std::optional<QString> readOnlyCompanion(const QString& file)
{
    for (const char* companion : {"-wal", "-shm"}) {
        const QFileInfo info(file + companion);
        if (info.exists() && !info.isWritable())
            return QStringLiteral("its companion file %1 is read-only; make it writable, or delete it while no "
                                  "editor runs")
                .arg(quotedFile(info.filePath()));
    }
    return std::nullopt;
}

}  // namespace

Result<std::unique_ptr<KitStore>> KitStore::open(const QString& file, std::chrono::milliseconds busyWait,
                                                 const std::function<void()>& migrating)
{
    using Opened = Result<std::unique_ptr<KitStore>>;
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder))
        return Opened::failure(cannotOpen(file, QStringLiteral("its folder %1 cannot be made").arg(quotedFile(folder))));
    const QFileInfo existing(file);
    const bool folderWritable = QFileInfo(folder).isWritable();
    if (!existing.exists() && !folderWritable)
        return Opened::failure(cannotOpen(file, QStringLiteral("its folder %1 is read-only").arg(quotedFile(folder))));
    const bool readOnly = existing.exists() && (!existing.isWritable() || !folderWritable);
    if (!readOnly)
        if (const auto companion = readOnlyCompanion(file)) return Opened::failure(cannotOpen(file, *companion));
    QString name;
    QSqlDatabase db;
    QString notice;
    auto failed =
        hasSqliteHeader(file) ? connect(file, busyWait, readOnly, migrating, name, db) : SetUpFailure{{}, true};
    if (failed && failed->damaged) {
        const auto aside = moveAside(file);
        if (!aside)
            return Opened::failure(cannotOpen(
                file, QStringLiteral("it is damaged and cannot be moved aside (%1)").arg(aside.error().c_str())));
        notice = QStringLiteral("The kit library %1 was damaged; it was kept as %2 and a new one begun.")
                     .arg(quotedFile(file), quotedFile(aside.value()));
        failed = connect(file, busyWait, false, migrating, name, db);
    } else if (!failed && readOnly) {
        notice = QStringLiteral("The kit library %1 is read-only: its kits can be looked at, but nothing new is "
                                "kept in it.")
                     .arg(quotedFile(file));
    }
    if (failed) return Opened::failure(cannotOpen(file, failed->why));
    const auto sqlite = sqliteOf(db);
    if (!sqlite) {
        dropConnection(db, name);
        return Opened::failure(cannotOpen(file, QString::fromStdString(sqlite.error())));
    }
    std::unique_ptr<KitStore> store(new KitStore(file, name, db, sqlite.value()));
    store->notice_ = notice;
    return store;
}

KitStore::KitStore(QString file, QString connection, QSqlDatabase db, sqlite3* sqlite)
    : file_(std::move(file)), connection_(std::move(connection)), db_(std::move(db)),
      statements_(std::make_unique<Statements>(sqlite))
{
}

KitStore::~KitStore()
{
    statements_.reset();
    dropConnection(db_, connection_);
}

}  // namespace morvane::library
