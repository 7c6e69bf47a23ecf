#pragma once

#include "base/Result.h"
#include "kit/KitDump.h"
#include "kit/KitFile.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QSqlQuery;
struct sqlite3;

namespace morvane::library {

// The kit library keeps every kit the editor met once, by the SHA-256 of its
// bytes, with a history of what happened to it. KitStore is the synchronous
// half: one SQLite connection, used by one thread only (Qt's rule for
// connections). The command-line tool, the tests and KitLibrary's worker
// thread use it directly; a window uses KitLibrary, which queues the writes.

enum class EventKind { Opened, Saved, Received, Sent, Imported };

// A file as the library's messages name it: quoted, with the system's separators.
QString quotedFile(const QString& file);

// "opened", "saved", ...: the event's name, as the file stores it.
QString eventName(EventKind kind);
// "opened from", "saved to", ...: how a history line reads before its place.
QString eventPhrase(EventKind kind);

// What happened to a kit, where (a file's path or a MIDI device's name) and when.
struct KitEvent {
    EventKind kind = EventKind::Opened;
    QString place;
    QDateTime time = QDateTime::currentDateTimeUtc();

    bool operator==(const KitEvent&) const = default;
};

// A kit as the library keeps it: its bytes, their SHA-256 and what they
// decode to. Made apart from the store, so an import hashes and decodes on
// its reading thread and the store's thread only writes.
struct LibraryKit {
    // Refuses a dump the codec refuses.
    static Result<LibraryKit> of(KitDump dump);
    // For a dump already decoded.
    static LibraryKit of(LoadedKit loaded);

    KitDump dump;
    QString hash;  // 64 hexadecimal digits
    KitFields fields;
};

// The kit name as the library lists it, trailing blanks taken off.
QString titleOf(const KitFields& fields);

struct Recording {
    LibraryKit kit;
    KitEvent event;
};

struct RecordCounts {
    int newKits = 0;
    int knownKits = 0;
};

// One kit as a search lists it.
struct KitRow {
    qint64 id = 0; // the store's number for it
    QString hash;  // 64 hexadecimal digits
    QString title; // the kit name, trailing spaces taken off
    int kitNumber = 0;
    int bank = 0;
    KitEvent last; // the latest event: its kind, place and time
    int timesSent = 0;
    // The user's marks, kept in the library only.
    bool favourite = false;
    QString note;
    QStringList tags;  // sorted
};

// The columns a search lists and sorts by.
enum class KitColumn { Favourite, Title, Kit, Bank, LastEvent, When, Where, TimesSent };
inline constexpr int KitColumnCount = 8;

// Words match the title, a path in the history or the note, "note:N" and
// "channel:N" a pad holding that value, "fav" a favourite, "text:WORD" the
// note and "tag:TAG" a tag; every term must match. Empty text lists every
// kit. Letter case is ignored in every script.
struct KitSearch {
    QString text;
    KitColumn sortColumn = KitColumn::When;  // When: the latest event's order
    bool descending = true;

    bool operator==(const KitSearch&) const = default;
};

// Where the next page begins: just past the last row of this one, in the
// search's order, so a page costs the same however deep it lies.
struct PageStart {
    QVariant sortValue;
    qint64 id = 0;
};

struct KitPage {
    std::vector<KitRow> rows;
    // None once the last row was listed; a page may end short of its limit
    // with more to come (a slice of the kits was looked at).
    std::optional<PageStart> next;
};

// How many of the latest events' kits a search checking kits one by one
// looks at for one page: a few milliseconds' work.
inline constexpr qint64 ScanSlice = 5000;

// How long a connection waits for another one (a second editor, the tool)
// to finish its write before it gives up.
inline constexpr std::chrono::milliseconds DefaultBusyWait{3000};

class KitStore {
public:
    // Opens the library file, making its folder and a fresh library when
    // there is none. A file that is no SQLite database is moved aside (never
    // deleted) and a fresh one begun; notice() then says so. A file that is
    // read-only, or in a read-only folder, is opened for reading only, leaving
    // no file beside it, and notice() says so. A library that is locked,
    // unreachable or from a newer editor is refused with the reason, and the
    // file is left as it was. migrating, when given, is called before an
    // older file is brought up to date.
    static Result<std::unique_ptr<KitStore>> open(const QString& file,
                                                  std::chrono::milliseconds busyWait = DefaultBusyWait,
                                                  const std::function<void()>& migrating = {});
    ~KitStore();
    KitStore(const KitStore&) = delete;
    KitStore& operator=(const KitStore&) = delete;

    const QString& file() const { return file_; }
    // Empty unless the open had to set the old file aside or could only
    // read; then one sentence for the user, to be shown once.
    const QString& notice() const { return notice_; }

    // Stores the kit unless its bytes are known, and adds the event to its
    // history, all in one transaction. An import adds nothing to a kit whose
    // history already has that place, so importing a folder twice is harmless.
    Result<RecordCounts> record(std::span<const Recording> recordings);
    // A dump the codec refuses is refused.
    Status record(const KitDump& dump, const KitEvent& event);

    // At most limit rows of the search, from start (the first row when none).
    Result<KitPage> search(const KitSearch& search, const std::optional<PageStart>& start, int limit,
                           qint64 slice = ScanSlice);

    // The one full hash that starts with prefix (any letter case).
    Result<QString> hashStartingWith(const QString& prefix);
    // Bytes that no longer match their hash are refused as damaged.
    Result<KitDump> bytesOf(const QString& hash);
    // Oldest first.
    Result<std::vector<KitEvent>> historyOf(const QString& hash);
    // Takes the kits and their histories out of the library, in one
    // transaction. No file is touched.
    Status remove(std::span<const QString> hashes);
    Status remove(const QString& hash) { return remove(std::span(&hash, 1)); }

    // The user's marks: each changes the library only, never the kit's bytes.
    Status setFavourite(const QString& hash, bool favourite);
    // An empty note takes it away.
    Status setNote(const QString& hash, const QString& note);
    // A tag is one word, kept case folded; a second add or a remove of a
    // tag the kit has not is no change.
    Status setTagged(const QString& hash, const QString& tag, bool tagged);

private:
    KitStore(QString file, QString connection, QSqlDatabase db, sqlite3* sqlite);
    struct Batch;
    Status recordOne(const Recording& recording, Batch& batch);
    // Adds a file's path to the words a search matches for the kit; indexed
    // tells whether the search index holds its words yet.
    Status addWords(qint64 kit, const QString& words, const QString& place, bool indexed);
    // Runs work in one write transaction; doing ("keep the note") names
    // what was refused, and work's failure why.
    Status change(const QString& doing, const std::function<Status(QSqlQuery&)>& work);
    std::string readFailure(const QSqlQuery& query) const;

    QString file_;
    QString connection_;
    QString notice_;
    QSqlDatabase db_;
    struct Statements;
    std::unique_ptr<Statements> statements_;
};

}  // namespace morvane::library
