#include "KitFiles.h"

namespace morvane::testing {

void writeNibblePair(KitDump& dump, std::size_t offset, int value)
{
    dump[offset] = static_cast<std::uint8_t>(value % 16);
    dump[offset + 1] = static_cast<std::uint8_t>(value / 16);
}

KitDump makeKitDump(const KitSpec& spec)
{
    KitDump dump(KitDumpLength, 0);
    for (std::size_t i = 1; i < KitDumpLength - 1; ++i) dump[i] = static_cast<std::uint8_t>(i % 13);
    dump.front() = 240;
    dump.back() = 247;
    dump[offsets::KitNumber] = static_cast<std::uint8_t>(spec.kitNumber - 1);
    writeNibblePair(dump, offsets::BankLow, spec.bankNumber);
    for (int p = 0; p < PadCount; ++p) {
        writeNibblePair(dump, offsets::padNote(p), spec.notes[p] ? spec.notes[p] : 36 + p);
        dump[offsets::padChannel(p)] = static_cast<std::uint8_t>((spec.channels[p] ? spec.channels[p] : 10) - 1);
    }
    for (int c = 0; c < KitNameLength; ++c)
        writeNibblePair(dump, offsets::nameChar(c), static_cast<std::uint8_t>(spec.name.at(c)));
    return dump;
}

KitDump exampleKitDump(const char* relativePath)
{
    return readBytes(std::string(MORVANE_SOURCE_DIR) + "/" + relativePath);
}

}  // namespace morvane::testing
