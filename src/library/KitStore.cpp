#include "KitStore.h"

#include "LibrarySchema.h"

#include "kit/Cp1252.h"
#include "kit/KitCodec.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <array>
#include <atomic>
#include <optional>

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

// SQLite's primary result codes, as Qt's driver reports them.
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, Corrupt = 11, CantOpen = 14, NotADatabase = 26 };

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

std::string sentence(const QString& text) { return text.toStdString(); }

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

// WAL lets a second editor read while one writes; NORMAL syncs at each
// checkpoint rather than each commit, which WAL keeps safe from damage.
// The write lock taken for the schema shows at once whether the file can be
// written at all.
std::optional<SetUpFailure> setUp(QSqlDatabase& db)
{
    const auto failed = [](const QSqlError& error) { return SetUpFailure{reasonOf(error), isDamage(error)}; };
    if (!db.open()) return failed(db.lastError());
    QSqlQuery query(db);
    for (const char* statement : {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL",
                                  "PRAGMA mmap_size = 268435456", "BEGIN IMMEDIATE"})
        if (!query.exec(QString::fromLatin1(statement))) return failed(query.lastError());
    if (auto migrated = migrate(db); !migrated) {
        query.exec(QStringLiteral("ROLLBACK"));
        return SetUpFailure{QString::fromStdString(migrated.error())};
    }
    if (!query.exec(QStringLiteral("COMMIT"))) return failed(query.lastError());
    return std::nullopt;
}

std::optional<SetUpFailure> connect(const QString& file, std::chrono::milliseconds busyWait, QString& name,
                                    QSqlDatabase& db)
{
    name = newConnectionName();
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyWait.count()));
    auto failed = setUp(db);
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

QString titleOf(const KitFields& fields)
{
    QString title = QString::fromStdString(utf8FromCp1252(fields.KitName));
    while (!title.isEmpty() && (title.back() == QLatin1Char(' ') || title.back() == QChar(0))) title.chop(1);
    return title;
}

template <typename Bytes>
QByteArray byteArray(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

KitEvent eventAt(const QSqlQuery& query, int firstColumn)
{
    return {kindNamed(query.value(firstColumn).toString()), query.value(firstColumn + 1).toString(),
            QDateTime::fromMSecsSinceEpoch(query.value(firstColumn + 2).toLongLong(), Qt::UTC)};
}

// One search term as SQL, with the values its placeholders take.
struct Condition {
    QString sql;
    QVariantList values;
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

QString likePattern(QString word)
{
    word.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    word.replace(QLatin1Char('%'), QLatin1String("\\%"));
    word.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + word + QLatin1Char('%');
}

Condition conditionOf(const QString& token)
{
    const auto padByte = [](int value) { return QByteArray(1, static_cast<char>(value)); };
    if (const auto note = padTerm(token, QLatin1String("note:")))
        return {QStringLiteral("instr(k.notes, ?) > 0"), {padByte(*note)}};
    if (const auto channel = padTerm(token, QLatin1String("channel:")))
        return {QStringLiteral("instr(k.channels, ?) > 0"), {padByte(*channel)}};
    const QString pattern = likePattern(token);
    return {QStringLiteral("(k.title LIKE ? ESCAPE '\\' OR k.id IN (SELECT kit FROM events"
                           " WHERE kind IN ('opened', 'saved', 'imported') AND place LIKE ? ESCAPE '\\'))"),
            {pattern, pattern}};
}

}  // namespace

QString eventName(EventKind kind) { return QString::fromLatin1(KindNames[static_cast<std::size_t>(kind)]); }

QString eventPhrase(EventKind kind) { return QString::fromLatin1(KindPhrases[static_cast<std::size_t>(kind)]); }

Result<LibraryKit> LibraryKit::of(KitDump dump)
{
    auto fields = decodeKit(dump);
    if (!fields) return Result<LibraryKit>::failure(fields.error());
    return of(LoadedKit{std::move(dump), std::move(fields).value()});
}

LibraryKit LibraryKit::of(LoadedKit loaded)
{
    const QByteArray bytes = byteArray(loaded.dump);
    QString hash = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    return {std::move(loaded.dump), std::move(hash), std::move(loaded.fields)};
}

struct KitStore::Statements {
    explicit Statements(const QSqlDatabase& db)
        : findKit(db), insertKit(db), insertBytes(db), placeKnown(db), insertEvent(db)
    {
        findKit.prepare(QStringLiteral("SELECT id FROM kits WHERE hash = ?"));
        // Most kits an import meets are new, so the insert comes first and
        // the lookup only when it was a known kit.
        insertKit.prepare(QStringLiteral("INSERT INTO kits (hash, length, title, kit_number, bank, notes, channels)"
                                         " VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT (hash) DO NOTHING"));
        insertBytes.prepare(QStringLiteral("INSERT INTO kit_bytes (kit, bytes) VALUES (?, ?)"));
        placeKnown.prepare(QStringLiteral("SELECT 1 FROM events WHERE kit = ? AND place = ? LIMIT 1"));
        insertEvent.prepare(QStringLiteral("INSERT INTO events (kit, kind, place, time) VALUES (?, ?, ?, ?)"));
    }
    QSqlQuery findKit, insertKit, insertBytes, placeKnown, insertEvent;
};

Result<std::unique_ptr<KitStore>> KitStore::open(const QString& file, std::chrono::milliseconds busyWait)
{
    using Opened = Result<std::unique_ptr<KitStore>>;
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder))
        return Opened::failure(cannotOpen(file, QStringLiteral("its folder %1 cannot be made").arg(quotedFile(folder))));
    QString name;
    QSqlDatabase db;
    QString notice;
    auto failed = hasSqliteHeader(file) ? connect(file, busyWait, name, db) : SetUpFailure{{}, true};
    if (failed && failed->damaged) {
        const auto aside = moveAside(file);
        if (!aside)
            return Opened::failure(cannotOpen(
                file, QStringLiteral("it is damaged and cannot be moved aside (%1)").arg(aside.error().c_str())));
        notice = QStringLiteral("The kit library %1 was damaged; it was kept as %2 and a new one begun.")
                     .arg(quotedFile(file), quotedFile(aside.value()));
        failed = connect(file, busyWait, name, db);
    }
    if (failed) return Opened::failure(cannotOpen(file, failed->why));
    std::unique_ptr<KitStore> store(new KitStore(file, name, db));
    store->notice_ = notice;
    return store;
}

KitStore::KitStore(QString file, QString connection, QSqlDatabase db)
    : file_(std::move(file)), connection_(std::move(connection)), db_(std::move(db)),
      statements_(std::make_unique<Statements>(db_))
{
}

KitStore::~KitStore()
{
    statements_.reset();
    dropConnection(db_, connection_);
}

Status KitStore::record(const KitDump& dump, const KitEvent& event)
{
    auto kit = LibraryKit::of(dump);
    if (!kit) return Status::failure(kit.error());
    const Recording one{std::move(kit).value(), event};
    auto recorded = record(std::span(&one, 1));
    return recorded ? succeeded() : Status::failure(recorded.error());
}

Result<RecordCounts> KitStore::record(std::span<const Recording> recordings)
{
    const auto refused = [&](const QString& why) {
        return Result<RecordCounts>::failure(
            sentence(QStringLiteral("The kit library %1 could not record a kit: %2").arg(quotedFile(file_), why)));
    };
    QSqlQuery transaction(db_);
    if (!transaction.exec(QStringLiteral("BEGIN IMMEDIATE"))) return refused(reasonOf(transaction.lastError()) + '.');
    RecordCounts counts;
    for (const auto& recording : recordings) {
        if (auto done = recordOne(recording, counts); !done) {
            transaction.exec(QStringLiteral("ROLLBACK"));
            return refused(QString::fromStdString(done.error()));
        }
    }
    if (!transaction.exec(QStringLiteral("COMMIT"))) {
        const QString why = reasonOf(transaction.lastError()) + '.';
        transaction.exec(QStringLiteral("ROLLBACK"));
        return refused(why);
    }
    return counts;
}

Status KitStore::recordOne(const Recording& recording, RecordCounts& counts)
{
    auto& s = *statements_;
    const auto run = [](QSqlQuery& query, const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
        return query.exec() ? succeeded() : Status::failure(sentence(reasonOf(query.lastError()) + '.'));
    };
    const LibraryKit& kit = recording.kit;
    const QByteArray bytes = byteArray(kit.dump);
    const KitFields& f = kit.fields;
    if (auto inserted = run(s.insertKit, {kit.hash, bytes.size(), titleOf(f), f.KitNumber, f.BankNumber,
                                          byteArray(f.PadMNN), byteArray(f.PadTCH)});
        !inserted)
        return inserted;
    const bool known = s.insertKit.numRowsAffected() == 0;
    qint64 id = 0;
    // A place not known is stored as empty text, not as a missing value.
    const QString place = recording.event.place.isNull() ? QStringLiteral("") : recording.event.place;
    if (known) {
        ++counts.knownKits;
        if (auto found = run(s.findKit, {kit.hash}); !found) return found;
        s.findKit.next();  // the conflict just met, in this transaction
        id = s.findKit.value(0).toLongLong();
        s.findKit.finish();
        if (recording.event.kind == EventKind::Imported) {
            if (auto looked = run(s.placeKnown, {id, place}); !looked) return looked;
            const bool placeKnown = s.placeKnown.next();
            s.placeKnown.finish();
            if (placeKnown) return succeeded();
        }
    } else {
        ++counts.newKits;
        id = s.insertKit.lastInsertId().toLongLong();
        if (auto stored = run(s.insertBytes, {id, bytes}); !stored) return stored;
    }
    return run(s.insertEvent, {id, eventName(recording.event.kind), place, recording.event.time.toMSecsSinceEpoch()});
}

Result<std::vector<KitRow>> KitStore::search(const QString& text)
{
    QStringList where;
    QVariantList values;
    for (const QString& token : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto condition = conditionOf(token);
        where << condition.sql;
        values << condition.values;
    }
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    const QString filter =
        where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    query.prepare(QStringLiteral("SELECT k.hash, k.title, k.kit_number, k.bank, e.kind, e.place, e.time, k.times_sent"
                                 " FROM kits k JOIN events e ON e.id = k.last_event%1"
                                 " ORDER BY k.last_event DESC")
                      .arg(filter));
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    if (!query.exec()) return Result<std::vector<KitRow>>::failure(readFailure(query));
    std::vector<KitRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toString(), query.value(1).toString(), query.value(2).toInt(),
                        query.value(3).toInt(), eventAt(query, 4), query.value(7).toInt()});
    return rows;
}

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

Result<KitDump> KitStore::bytesOf(const QString& hash)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT b.bytes FROM kit_bytes b JOIN kits k ON k.id = b.kit WHERE k.hash = ?"));
    query.bindValue(0, hash);
    if (!query.exec()) return Result<KitDump>::failure(readFailure(query));
    if (!query.next())
        return Result<KitDump>::failure(sentence(QStringLiteral("No kit in the library has the hash %1.").arg(hash)));
    const QByteArray bytes = query.value(0).toByteArray();
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

Status KitStore::remove(const QString& hash)
{
    QSqlQuery query(db_);
    const auto refused = [&] {
        const auto failure = Status::failure(sentence(QStringLiteral("The kit library %1 could not delete the kit: %2.")
                                                          .arg(quotedFile(file_), reasonOf(query.lastError()))));
        QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
        return failure;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) return refused();
    for (const char* statement : {"DELETE FROM events WHERE kit IN (SELECT id FROM kits WHERE hash = ?)",
                                  "DELETE FROM kit_bytes WHERE kit IN (SELECT id FROM kits WHERE hash = ?)",
                                  "DELETE FROM kits WHERE hash = ?"}) {
        query.prepare(QString::fromLatin1(statement));
        query.bindValue(0, hash);
        if (!query.exec()) return refused();
    }
    if (!query.exec(QStringLiteral("COMMIT"))) return refused();
    return succeeded();
}

std::string KitStore::readFailure(const QSqlQuery& query) const
{
    return sentence(
        QStringLiteral("The kit library %1 cannot be read: %2.").arg(quotedFile(file_), reasonOf(query.lastError())));
}

QString quotedFile(const QString& file)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(file) + QLatin1Char('"');
}

}  // namespace morvane::library
