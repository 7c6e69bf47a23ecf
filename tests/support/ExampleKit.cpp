#include "ExampleKit.h"

#include "kit/KitCodec.h"

#include <stdexcept>

namespace morvane::testing {

KitDump exampleKitDump()
{
    KitDump dump(KitDumpLength, 0);
    for (std::size_t i = 1; i < dump.size(); ++i) dump[i] = static_cast<std::uint8_t>(i % 13);
    dump.front() = 0xF0;
    dump.back() = 0xF7;
    KitFields fields;
    fields.KitName = "ROCK 1      ";
    fields.KitNumber = 5;
    fields.BankNumber = 2;
    for (int p = 0; p < PadCount; ++p) {
        fields.PadMNN[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(36 + p);
        fields.PadTCH[static_cast<std::size_t>(p)] = 10;
    }
    for (int c = 0; c < KitNameLength; ++c)
        fields.KitNameChars[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(fields.KitName[static_cast<std::size_t>(c)]);
    if (!encodeKit(fields, dump)) throw std::logic_error("the example kit does not encode");
    return dump;
}

}  // namespace morvane::testing
