// show, diff and edit: reading kit files, comparing two, and changing a kit's
// fields by the same rules the editor's kit settings dialog and pad editing apply.
#include "Command.h"
#include "KitText.h"

#include "base/Text.h"
#include "kit/Cp1252.h"
#include "kit/KitCheck.h"
#include "kit/KitCodec.h"
#include "kit/KitDiff.h"
#include "kit/KitFile.h"
#include "kit/KitRanges.h"

#include <filesystem>
#include <optional>

namespace morvane::tool {
namespace {

int runShow(const Arguments& args, Console& console);
int runDiff(const Arguments& args, Console& console);
int runEdit(const Arguments& args, Console& console);

const Command Show{
    "show", "[--json] FILE", "Prints the kit's number, bank, title and pads, then the load-time warnings.",
    "With --json it prints one JSON object instead:\n"
    "  {\"length\": N, \"kit\": N, \"bank\": N, \"name\": \"12 characters\",\n"
    "   \"pads\": [{\"pad\": 1, \"note\": N, \"channel\": N}, ...], \"warnings\": [...]}\n",
    runShow};

const Command Diff{
    "diff", "[--json] FILE1 FILE2",
    "Prints what differs between two kit files: number, bank, title, then each pad's note and channel.",
    "One line per difference, such as \"kit 3 -> 5\" or \"pad 7 note 38 -> 40\", then how many\n"
    "other bytes differ, if any, and the lengths, if they differ. Bytes beyond the shorter\n"
    "file count only as the length. Titles show control characters escaped (\\u0009).\n"
    "With --json it prints one JSON object instead, each differing value as [FILE1's, FILE2's]\n"
    "and each shared one as null:\n"
    "  {\"kit\": null, \"bank\": [0, 18], \"name\": null,\n"
    "   \"pads\": [{\"pad\": 7, \"note\": [38, 40], \"channel\": null}, ...],\n"
    "   \"other_bytes\": N, \"length\": null}\n"
    "Exit status as diff(1): 0 the same, 1 different, 2 trouble (a usage error, or a file that\n"
    "cannot be read as a kit, named on standard error).\n",
    runDiff};

const Command Edit{
    "edit",
    "FILE [-o OUT] [--kit N] [--bank N] [--name TEXT] [--note PAD=N]... [--channel PAD=N]...",
    "Changes the kit's fields and writes FILE (or OUT) atomically; every other byte stays.",
    "  --kit N          kit number, 1 to 24\n"
    "  --bank N         bank number, 0 to 128\n"
    "  --name TEXT      kit title; only its first 12 characters are stored, an empty\n"
    "                   TEXT keeps the title, and every character must exist in\n"
    "                   code page 1252\n"
    "  --note PAD=N     note number of pad 1 to 24, 0 to 128\n"
    "  --channel PAD=N  transmit channel of pad 1 to 24, 1 to 16\n"
    "  -o OUT           write OUT instead of FILE\n"
    "Any refused value leaves every file as it was.\n",
    runEdit};

struct ReadRequest {
    bool json = false;
    std::vector<std::filesystem::path> files;
};

// [--json] and exactly count FILEs; after "--" every argument is a FILE.
// The error is the usage problem.
Result<ReadRequest> parseRead(const Arguments& args, std::size_t count)
{
    using Parsed = Result<ReadRequest>;
    ReadRequest request;
    bool optionsEnded = false;
    for (const auto& arg : args) {
        if (optionsEnded)
            request.files.push_back(utf8ToPath(arg));
        else if (arg == "--")
            optionsEnded = true;
        else if (arg == "--json")
            request.json = true;
        else if (arg.size() > 1 && arg[0] == '-')
            return Parsed::failure("unknown option " + arg);
        else
            request.files.push_back(utf8ToPath(arg));
    }
    if (request.files.size() > count) return Parsed::failure(count == 1 ? "more than one FILE" : "more than two FILEs");
    if (request.files.size() < count) return Parsed::failure("FILE is missing");
    return request;
}

// show ---------------------------------------------------------------------

int runShow(const Arguments& args, Console& console)
{
    const auto parsed = parseRead(args, 1);
    if (!parsed) return usageError(console, Show, parsed.error());
    const auto& [json, files] = parsed.value();

    const auto kit = readKitFile(files[0]);
    if (!kit) return refuse(console, kit.error());
    const auto& [dump, fields] = kit.value();
    const auto warnings = checkSysexQuestions(fields);
    if (json) {
        console.out << kitAsJson(dump, fields, warnings) << "\n";
        return ExitSuccess;
    }
    console.out << kitAsTable(terminalText(pathToUtf8(files[0].filename())), dump, fields);
    if (!warnings.empty()) console.out << "\n";
    for (const auto& warning : warnings) console.out << warning << "\n";
    return ExitSuccess;
}

// diff ---------------------------------------------------------------------

int runDiff(const Arguments& args, Console& console)
{
    const auto parsed = parseRead(args, 2);
    if (!parsed) return usageError(console, Diff, parsed.error());
    const auto& [json, files] = parsed.value();

    const auto first = readKitFile(files[0]);
    if (!first) return refuse(console, first.error(), DiffTrouble);
    const auto second = readKitFile(files[1]);
    if (!second) return refuse(console, second.error(), DiffTrouble);
    const auto diff = diffKits(first.value(), second.value());
    console.out << (json ? kitDiffAsJson(diff) + "\n" : kitDiffAsLines(diff));
    return diff.same() ? DiffSame : DiffDifferent;
}

// edit ---------------------------------------------------------------------

constexpr RangeRule PadNumberRule{"Pad", 1, PadCount};

struct PadValue {
    std::string option;  // as typed, for the refusal message
    std::string pad;
    std::string value;
};

struct EditRequest {
    std::filesystem::path file;
    std::optional<std::filesystem::path> out;
    std::optional<std::string> kit;
    std::optional<std::string> bank;
    std::string name;
    std::vector<PadValue> notes;
    std::vector<PadValue> channels;
};

// Splits PAD=N; a missing "=" is a usage error, not a refused value.
std::optional<PadValue> splitPadValue(const std::string& option, const std::string& text)
{
    const auto equals = text.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return PadValue{option + " " + text, text.substr(0, equals), text.substr(equals + 1)};
}

// Parses the command line; the error is the usage problem.
Result<EditRequest> parseEdit(const Arguments& args)
{
    using Parsed = Result<EditRequest>;
    EditRequest request;
    bool haveFile = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            if (haveFile) return Parsed::failure("more than one FILE");
            request.file = utf8ToPath(arg);
            haveFile = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (i + 1 == args.size()) return Parsed::failure(arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "-o") {
            request.out = utf8ToPath(value);
        } else if (arg == "--kit") {
            request.kit = value;
        } else if (arg == "--bank") {
            request.bank = value;
        } else if (arg == "--name") {
            request.name = value;
        } else if (arg == "--note" || arg == "--channel") {
            auto padValue = splitPadValue(arg, value);
            if (!padValue) return Parsed::failure(arg + " takes PAD=N, not \"" + value + "\"");
            (arg == "--note" ? request.notes : request.channels).push_back(*padValue);
        } else {
            return Parsed::failure("unknown option " + arg);
        }
    }
    if (!haveFile) return Parsed::failure("FILE is missing");
    return request;
}

Status checkedValue(const RangeRule& rule, const std::string& option, const std::string& text, int& value)
{
    if (!parseWholeNumber(text)) return Status::failure(option + ": " + inQuotes(text) + " is not a number.");
    const auto checked = checkNumberText(rule, text);
    if (!checked) return Status::failure(option + ": " + rangeMessage(rule));
    value = *checked;
    return succeeded();
}

Status applyPadValues(const std::vector<PadValue>& requests, const RangeRule& rule,
                      std::array<std::uint8_t, PadCount>& values)
{
    for (const auto& request : requests) {
        const auto pad = checkNumberText(PadNumberRule, request.pad);
        if (!pad)
            return Status::failure(request.option + ": there is no pad \"" + request.pad +
                                   "\"; pads are numbered 1 to 24.");
        int value = 0;
        if (auto checked = checkedValue(rule, request.option, request.value, value); !checked) return checked;
        values[*pad - 1] = static_cast<std::uint8_t>(value);
    }
    return succeeded();
}

// The kit settings dialog's rules for number, bank and name, then pad
// editing's for notes and channels; fields change only when all pass.
Status applyEdits(const EditRequest& request, KitFields& fields)
{
    int kit = 0;
    int bank = -1;
    if (request.kit)
        if (auto checked = checkedValue(KitNumberRule, "--kit " + *request.kit, *request.kit, kit); !checked)
            return checked;
    if (request.bank)
        if (auto checked = checkedValue(BankNumberRule, "--bank " + *request.bank, *request.bank, bank); !checked)
            return checked;
    const auto name = cp1252FromUtf8(request.name);
    if (!name) return Status::failure("--name: " + name.error());

    KitFields edited = fields;
    if (auto applied = applyPadValues(request.notes, NoteRule, edited.PadMNN); !applied) return applied;
    if (auto applied = applyPadValues(request.channels, ChannelRule, edited.PadTCH); !applied) return applied;
    replaceSystemVariables(edited, name.value(), kit, bank + 1);
    fields = edited;
    return succeeded();
}

int runEdit(const Arguments& args, Console& console)
{
    const auto parsed = parseEdit(args);
    if (!parsed) return usageError(console, Edit, parsed.error());
    const EditRequest& request = parsed.value();
    const auto target = request.out.value_or(request.file);

    auto kit = readKitFile(request.file);
    if (!kit) return refuse(console, kit.error());
    auto [dump, fields] = std::move(kit).value();
    const auto notWritten = [&](const std::string& reason) {
        return refuse(console, inQuotes(pathToUtf8(target)) + " was not written. " + reason);
    };
    if (auto applied = applyEdits(request, fields); !applied) return notWritten(applied.error());
    if (auto encoded = encodeKit(fields, dump); !encoded) return notWritten(encoded.error());
    if (auto saved = saveWholeFile(target, dump); !saved) return refuse(console, saved.error());
    return ExitSuccess;
}

}  // namespace

std::vector<Command> kitFileCommands() { return {Show, Diff, Edit}; }

}  // namespace morvane::tool
