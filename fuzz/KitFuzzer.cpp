// Feeds arbitrary bytes through what a kit file meets: the whole-file read,
// the decode, the load-time check and the encode, and the same bytes as typed
// text through the code page conversion, the number parser and the name
// setter. Besides crashes it stops on any broken promise of the library.
#include "FuzzSupport.h"

#include "kit/Cp1252.h"
#include "kit/KitCheck.h"
#include "kit/KitCodec.h"
#include "kit/KitFile.h"
#include "kit/KitRanges.h"

#include <cstdint>
#include <string>

using namespace morvane;
using fuzz::require;

namespace {

KitDump writtenAndReadBack(const std::uint8_t* data, std::size_t size)
{
    const auto read = readWholeFile(fuzz::scratchFileWith(data, size));
    require(static_cast<bool>(read) == (size > 0));
    return read ? read.value() : KitDump{};
}

// Decoding and re-encoding gives the same bytes but empty name positions,
// which become spaces; a second decode sees the same kit.
void checkRoundTrip(const KitDump& dump)
{
    const auto fields = decodeKit(dump);
    require(static_cast<bool>(fields) || !fields.error().empty());
    if (!fields) return;
    (void)checkSysexQuestions(fields.value());

    KitDump encoded = dump;
    require(static_cast<bool>(encodeKit(fields.value(), encoded)));
    KitDump expected = dump;
    for (int c = 0; c < KitNameLength; ++c)
        if (fields.value().KitNameChars[c] == 0) expected[offsets::nameChar(c) + 1] = 2;
    require(encoded == expected);
    require(decodeKit(encoded).value().PadMNN == fields.value().PadMNN);
}

// Typed text: a name that converts comes back unchanged, a number that
// passes a rule lies inside it, and a name never breaks the encode.
void checkTypedText(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& rule : {KitNumberRule, BankNumberRule, NoteRule, ChannelRule})
        if (const auto value = checkNumberText(rule, text)) require(*value >= rule.lowest && *value <= rule.highest);

    const auto name = cp1252FromUtf8(text);
    if (!name) return;
    require(utf8FromCp1252(name.value()) == text);
    KitFields fields;
    replaceSystemVariables(fields, name.value(), 1, 1);
    fields.PadTCH.fill(1);
    KitDump dump = emptyKitDump();
    require(static_cast<bool>(encodeKit(fields, dump)));
    for (auto byte : dump) require(byte < 0x80);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkRoundTrip(writtenAndReadBack(data, size));
    checkTypedText(data, size);
    return 0;
}
