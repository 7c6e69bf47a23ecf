// library: the kit library the editor keeps, listed and searched, filled
// from a folder or a MIDI input, and read back, through the same store the
// editor uses.
#include "Command.h"
#include "KitText.h"
#include "MidiInput.h"

#include "base/Text.h"
#include "library/KitImport.h"
#include "library/KitReceiving.h"
#include "library/KitSelection.h"
#include "library/KitStore.h"
#include "library/LibrarySettings.h"
#include "library/LibraryView.h"
#include "midi/devices/SystemMidiDevices.h"
#include "platform/Desktop.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>

namespace morvane::tool {
namespace {

using library::KitStore;

int runLibrary(const Arguments& args, Console& console);

const Command Library{
    "library",
    "list [--json] [SEARCH...] | import DIR | receive --port PORT [--timeout S] | export HASH-PREFIX -o FILE\n"
    "       | history HASH-PREFIX | diff [--json] HASH-PREFIX HASH-PREFIX | fav HASH-PREFIX [--off]\n"
    "       | annotate HASH-PREFIX TEXT | tag HASH-PREFIX TAG [--off]",
    "Lists and searches the kit library the editor keeps, fills it from a folder or a MIDI input, reads kits back, "
    "compares and marks them.",
    "  list [--json] [SEARCH...]   one line per kit, latest first: the hash's first 12 digits,\n"
    "                              kit number, bank, title, last event and its time, times\n"
    "                              sent, and the last file or device; a second line shows a\n"
    "                              favourite, the tags and the note of a kit that has them.\n"
    "                              Words match titles, file paths and notes, note:N and\n"
    "                              channel:N a pad's note or channel, fav a favourite,\n"
    "                              text:WORD a note and tag:TAG a tag; every one must match.\n"
    "                              --json prints a JSON array instead, one object per line,\n"
    "                              with the whole hash, favourite, note and tags.\n"
    "  import DIR                  records every kit find lists under DIR as imported, then\n"
    "                              prints how many were added, already known and not kits.\n"
    "  receive --port PORT [--timeout S]\n"
    "                              records every kit arriving on a MIDI input (its number, see\n"
    "                              ports, or its exact name) as received, until S seconds\n"
    "                              passed, the input went away or Ctrl+C: one line per SysEx\n"
    "                              message (new kit, already known, or not a kit and why),\n"
    "                              then a summary. A kit received twice is kept once, with\n"
    "                              two events. Exit status 0 when a kit was recorded.\n"
    "  export HASH-PREFIX -o FILE  writes the kit's bytes to FILE in one step, unless they no\n"
    "                              longer match their hash (the library is damaged).\n"
    "  history HASH-PREFIX         prints what happened to the kit, oldest first.\n"
    "  diff [--json] HASH-PREFIX HASH-PREFIX\n"
    "                              prints what differs between the two kits, as diff does for\n"
    "                              two files, with its exit status: 0 the same, 1 different,\n"
    "                              2 trouble (a usage error, a kit not found or damaged).\n"
    "  fav HASH-PREFIX [--off]     makes the kit a favourite, or with --off no longer one.\n"
    "  annotate HASH-PREFIX TEXT   keeps TEXT (the words after the hash) as the kit's note;\n"
    "                              \"\" takes the note away.\n"
    "  tag HASH-PREFIX TAG [--off] gives the kit the tag, one word kept in lower case, or\n"
    "                              with --off takes it away.\n"
    "Stars, notes and tags live in the library only: no kit's bytes or file change.\n"
    "A HASH-PREFIX names one kit by the first digits of its hash (as list shows them).\n"
    "The library is kit-library.sqlite in $XDG_DATA_HOME/VEXO Morvane Editor (by default\n"
    "~/.local/share), shared with the editor.\n",
    runLibrary};

std::string utf8(const QString& text) { return text.toStdString(); }

// Prints the reason and gives nothing when the library cannot be had, and
// names a damaged file set aside.
std::unique_ptr<KitStore> openLibrary(Console& console)
{
    auto store = KitStore::open(library::defaultLibraryFile());
    if (!store) {
        refuse(console, store.error());
        return nullptr;
    }
    if (const auto& notice = store.value()->notice(); !notice.isEmpty())
        console.err << "morvane-kit: " << terminalText(utf8(notice)) << "\n";
    return std::move(store).value();
}

std::string rowAsJson(const library::KitRow& row)
{
    std::string tags;
    for (const auto& tag : row.tags) tags += (tags.empty() ? "" : ", ") + quotedJson(utf8(tag));
    return "{\"hash\": \"" + utf8(row.hash) + "\", \"kit\": " + std::to_string(row.kitNumber) +
           ", \"bank\": " + std::to_string(row.bank) + ", \"title\": " + quotedJson(utf8(row.title)) +
           ", \"last\": {\"event\": " + quotedJson(utf8(library::eventName(row.last.kind))) +
           ", \"time\": \"" + utf8(row.last.time.toString(Qt::ISODate)) + "\", \"place\": " +
           quotedJson(utf8(row.last.place)) + "}, \"sent\": " + std::to_string(row.timesSent) +
           ", \"favourite\": " + (row.favourite ? "true" : "false") + ", \"note\": " + quotedJson(utf8(row.note)) +
           ", \"tags\": [" + tags + "]}";
}

// "             favourite  tags: live rock  note: for the gig", under the
// kit's line; nothing for a kit without marks.
std::string marksLine(const library::KitRow& row)
{
    QStringList marks;
    if (row.favourite) marks << QStringLiteral("favourite");
    if (!row.tags.isEmpty()) marks << QStringLiteral("tags: ") + row.tags.join(' ');
    if (!row.note.isEmpty()) marks << QStringLiteral("note: ") + row.note;
    return marks.isEmpty() ? std::string() : std::string(13, ' ') + terminalText(utf8(marks.join(QStringLiteral("  ")))) + "\n";
}

std::string rowAsLine(const library::KitRow& row)
{
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, "%-12.12s %3d %4d  %-14s %-8s %-16s %4d  ", utf8(row.hash).c_str(),
                  row.kitNumber, row.bank, ("\"" + terminalText(utf8(row.title)) + "\"").c_str(),
                  utf8(library::eventName(row.last.kind)).c_str(), utf8(library::eventTimeText(row.last.time)).c_str(),
                  row.timesSent);
    return numbers + terminalText(utf8(row.last.place));
}

// Rows are printed a page at a time as the store gives them, so the first
// line comes at once whatever the library's size.
constexpr int ListPage = 500;

int runList(const Arguments& args, Console& console)
{
    bool json = false;
    QStringList words;
    for (const auto& arg : args) {
        if (arg == "--json")
            json = true;
        else
            words << QString::fromStdString(arg);
    }
    const auto store = openLibrary(console);
    if (!store) return ExitRefused;
    const library::KitSearch search{words.join(' ')};
    console.out << (json ? "[" : "HASH         KIT BANK  TITLE          LAST     TIME             SENT  FROM\n");
    bool first = true;
    std::optional<library::PageStart> start;
    do {
        const auto page = store->search(search, start, ListPage);
        if (!page) return refuse(console, page.error());
        for (const auto& row : page.value().rows) {
            if (json)
                console.out << (first ? "\n" : ",\n") << rowAsJson(row);
            else
                console.out << rowAsLine(row) << "\n" << marksLine(row);
            first = false;
        }
        console.out.flush();
        start = page.value().next;
    } while (start);
    if (json) console.out << "\n]\n";
    return ExitSuccess;
}

int runImport(const Arguments& args, Console& console)
{
    if (args.size() != 1) return usageError(console, Library, args.empty() ? "DIR is missing" : "more than one DIR");
    const auto store = openLibrary(console);
    if (!store) return ExitRefused;
    const std::atomic<bool> neverCancelled{false};
    const auto imported = library::importFolder(*store, QString::fromStdString(args[0]), {}, neverCancelled);
    if (!imported) return refuse(console, imported.error());
    const auto& summary = imported.value();
    console.out << "added " << utf8(library::countText(summary.added)) << ", already known "
                << utf8(library::countText(summary.known)) << ", not kits " << utf8(library::countText(summary.notKits))
                << "\n";
    for (const auto& folder : summary.unreadableFolders)
        console.err << "morvane-kit: cannot read " << terminalText(utf8(folder)) << "\n";
    return summary.unreadableFolders.empty() ? ExitSuccess : ExitRefused;
}

void printLine(Console& console, const QString& line)
{
    console.out << terminalText(utf8(line)) << "\n";
    console.out.flush();
}

// Each kit is recorded as it comes, in a transaction of its own, so what
// came before Ctrl+C is kept.
int runReceive(const Arguments& args, Console& console)
{
    const auto parsed = parse(args, {"--port", "--timeout"});
    if (parsed.problem) return usageError(console, Library, *parsed.problem);
    if (!parsed.positional.empty()) return usageError(console, Library, "unexpected " + parsed.positional.front());
    const auto port = parsed.option("--port");
    if (!port) return usageError(console, Library, "receive needs --port PORT");
    const auto timeout = parsed.timeout();
    if (!timeout) return usageError(console, Library, timeout.error());
    const auto store = openLibrary(console);
    if (!store) return ExitRefused;
    const auto devices = systemMidiDevices(ClientName);
    if (auto service = devices->serviceStatus(); !service) return refuse(console, service.error());
    const auto device = findDevice(devices->inputNames(), *port);
    if (!device) return refuse(console, "there is no MIDI input " + inQuotes(*port) + " (see morvane-kit ports)");

    library::ReceiveTally tally;
    std::string failure;
    const auto end = listenOnInput(*devices, *device, timeout.value(), [&](const MidiInputEvent& event) {
        if (event.kind != MidiInputEvent::Kind::Sysex || event.bytes.empty()) return true;
        const auto recording = library::receivedRecording(event.bytes, QString::fromStdString(*device));
        if (!recording) {
            printLine(console, tally.notAKit(recording.error()));
            return true;
        }
        const auto counts = store->record(std::span(&recording.value(), 1));
        if (!counts) {
            failure = counts.error();
            return false;
        }
        printLine(console, tally.kitRecorded(recording.value().kit, counts.value()));
        return true;
    });
    if (!end) return refuse(console, end.error());
    printLine(console, tally.summary());
    if (!failure.empty()) return refuse(console, failure);
    if (!end.value().why.empty()) console.err << "morvane-kit: " << terminalText(end.value().why) << "\n";
    return tally.kits() > 0 ? ExitSuccess : ExitRefused;
}

// Opens the library, finds the one kit the prefix names and runs use on it;
// says why when either cannot be had.
template <typename Use>
int withKitNamed(const std::string& prefix, Console& console, Use use)
{
    const auto store = openLibrary(console);
    if (!store) return ExitRefused;
    const auto hash = store->hashStartingWith(QString::fromStdString(prefix));
    if (!hash) return refuse(console, hash.error());
    return use(*store, hash.value());
}

int runExport(const Arguments& args, Console& console)
{
    if (args.size() != 3 || args[1] != "-o") return usageError(console, Library, "export takes HASH-PREFIX -o FILE");
    return withKitNamed(args[0], console, [&](KitStore& store, const QString& hash) {
        if (const auto exported = library::exportKit(store, hash, utf8ToPath(args[2])); !exported)
            return refuse(console, exported.error());
        return int(ExitSuccess);
    });
}

int runHistory(const Arguments& args, Console& console)
{
    if (args.size() != 1) return usageError(console, Library, "history takes one HASH-PREFIX");
    return withKitNamed(args[0], console, [&](KitStore& store, const QString& hash) {
        const auto events = store.historyOf(hash);
        if (!events) return refuse(console, events.error());
        for (const auto& event : events.value())
            console.out << terminalText(utf8(library::historyLine(event))) << "\n";
        return int(ExitSuccess);
    });
}

int runDiff(const Arguments& args, Console& console)
{
    bool json = false;
    std::vector<std::string> prefixes;
    for (const auto& arg : args) {
        if (arg == "--json")
            json = true;
        else
            prefixes.push_back(arg);
    }
    if (prefixes.size() != 2) return usageError(console, Library, "diff takes two HASH-PREFIXes");
    const auto store = openLibrary(console);
    if (!store) return DiffTrouble;
    QString hashes[2];
    for (int i = 0; i < 2; ++i) {
        const auto hash = store->hashStartingWith(QString::fromStdString(prefixes[static_cast<std::size_t>(i)]));
        if (!hash) return refuse(console, hash.error(), DiffTrouble);
        hashes[i] = hash.value();
    }
    const auto diff = library::diffStoredKits(*store, hashes[0], hashes[1]);
    if (!diff) return refuse(console, diff.error(), DiffTrouble);
    console.out << (json ? kitDiffAsJson(diff.value()) + "\n" : kitDiffAsLines(diff.value()));
    return diff.value().same() ? DiffSame : DiffDifferent;
}

// "--off" anywhere among args; the others, in their order.
std::pair<Arguments, bool> withoutOff(const Arguments& args)
{
    Arguments rest;
    std::copy_if(args.begin(), args.end(), std::back_inserter(rest), [](const std::string& arg) { return arg != "--off"; });
    return {rest, rest.size() != args.size()};
}

// Says what changed once the library has it.
int marked(Console& console, const Status& done, const QString& hash, const std::string& what)
{
    if (!done) return refuse(console, done.error());
    console.out << utf8(hash.left(12)) << " " << what << "\n";
    return ExitSuccess;
}

int runFav(const Arguments& args, Console& console)
{
    const auto [rest, off] = withoutOff(args);
    if (rest.size() != 1) return usageError(console, Library, "fav takes one HASH-PREFIX and maybe --off");
    return withKitNamed(rest[0], console, [&, off = off](KitStore& store, const QString& hash) {
        return marked(console, store.setFavourite(hash, !off), hash,
                      off ? "is no longer a favourite." : "is a favourite now.");
    });
}

int runAnnotate(const Arguments& args, Console& console)
{
    if (args.size() < 2) return usageError(console, Library, "annotate takes HASH-PREFIX TEXT");
    QStringList words;
    for (auto arg = args.begin() + 1; arg != args.end(); ++arg) words << QString::fromStdString(*arg);
    const QString note = words.join(' ');
    return withKitNamed(args[0], console, [&](KitStore& store, const QString& hash) {
        return marked(console, store.setNote(hash, note), hash,
                      note.isEmpty() ? "has no note now." : "has its note saved.");
    });
}

int runTag(const Arguments& args, Console& console)
{
    const auto [rest, off] = withoutOff(args);
    if (rest.size() != 2) return usageError(console, Library, "tag takes HASH-PREFIX TAG and maybe --off");
    return withKitNamed(rest[0], console, [&, off = off, tag = rest[1]](KitStore& store, const QString& hash) {
        return marked(console, store.setTagged(hash, QString::fromStdString(tag), !off), hash,
                      (off ? "is no longer tagged " : "is tagged ") + terminalText(tag) + ".");
    });
}

int runLibrary(const Arguments& args, Console& console)
{
    struct Action {
        std::string_view name;
        int (*run)(const Arguments& args, Console& console);
    };
    static constexpr Action Actions[] = {
        {"list", runList},       {"import", runImport}, {"receive", runReceive}, {"export", runExport},
        {"history", runHistory}, {"diff", runDiff},     {"fav", runFav},         {"annotate", runAnnotate},
        {"tag", runTag}};
    if (args.empty())
        return usageError(console, Library,
                          "list, import, receive, export, history, diff, fav, annotate or tag is missing");
    const auto action = std::find_if(std::begin(Actions), std::end(Actions),
                                     [&](const Action& a) { return a.name == args[0]; });
    if (action == std::end(Actions)) return usageError(console, Library, "unknown action \"" + args[0] + "\"");
    // Qt loads its SQLite driver only within an application, and the
    // library's folder follows the application's name: the editor's.
    int argc = 1;
    char name[] = "morvane-kit";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(ApplicationTitle);
    return action->run(Arguments(args.begin() + 1, args.end()), console);
}

}  // namespace

std::vector<Command> libraryCommands() { return {Library}; }

}  // namespace morvane::tool
