// Feeds arbitrary text as the numbers of "morvane-kit edit": a pad and its
// note, a pad and its channel, the kit and the bank, one per line. The edit
// is written only when every number passes the rule the editor applies
// (pads counted from 1) and the kit can hold it, and then it lands on the
// field and pad named; otherwise nothing is written.
#include "FuzzSupport.h"

#include "Command.h"

#include "kit/KitCodec.h"
#include "kit/KitFile.h"
#include "kit/KitRanges.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

using namespace morvane;
using fuzz::require;

// main.cpp's console answers, which this harness stands in for.
namespace morvane::tool {
int refuse(Console&, const std::string&, int exitCode) { return exitCode; }
int usageError(Console&, const Command&, const std::string&) { return ExitUsage; }
}  // namespace morvane::tool

namespace {

constexpr RangeRule PadRule{"Pad", 1, PadCount};

const tool::Command& editCommand()
{
    static const auto commands = tool::kitFileCommands();
    for (const auto& command : commands)
        if (command.name == "edit") return command;
    std::abort();
}

// A kit every edit starts from, and where an accepted edit goes.
const std::filesystem::path& kitFile()
{
    static const auto path = [] {
        KitFields fields;
        fields.KitNumber = 1;
        fields.PadTCH.fill(10);
        KitDump dump = emptyKitDump();
        require(encodeKit(fields, dump) && saveWholeFile(fuzz::scratchFile(), dump));
        return fuzz::scratchFile();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> numbers(6);
    for (auto& number : numbers) std::getline(text, number);
    const auto& [notePad, note, channelPad, channel, kit, bank] =
        std::tie(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]);

    const auto out = kitFile().string() + ".out";
    std::filesystem::remove(out);
    std::ostringstream ignored;
    tool::Console console{ignored, ignored};
    const int exit = editCommand().run({kitFile().string(), "-o", out, "--note", notePad + "=" + note, "--channel",
                                        channelPad + "=" + channel, "--kit", kit, "--bank", bank},
                                       console);

    const auto notePadNumber = checkNumberText(PadRule, notePad);
    const auto noteNumber = checkNumberText(NoteRule, note);
    const auto channelPadNumber = checkNumberText(PadRule, channelPad);
    const auto channelNumber = checkNumberText(ChannelRule, channel);
    const auto kitNumber = checkNumberText(KitNumberRule, kit);
    const auto bankNumber = checkNumberText(BankNumberRule, bank);
    // Channel 0 passes the rule, as in the editor, but no kit dump stores it.
    const bool acceptable = notePadNumber && noteNumber && channelPadNumber && channelNumber && *channelNumber > 0 &&
                            kitNumber && bankNumber;
    require(exit == (acceptable ? tool::ExitSuccess : tool::ExitRefused));
    const auto written = readKitFile(out);
    require(static_cast<bool>(written) == acceptable);
    if (!acceptable) return 0;
    const auto& fields = written.value().fields;
    require(fields.PadMNN[*notePadNumber - 1] == *noteNumber && fields.PadTCH[*channelPadNumber - 1] == *channelNumber);
    require(fields.KitNumber == *kitNumber && fields.BankNumber == *bankNumber);
    return 0;
}
