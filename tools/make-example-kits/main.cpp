// Writes the example kit files in examples/ from the descriptions below, so
// that every byte of them is our own and can be made again.
#include "kit/Cp1252.h"
#include "kit/KitCodec.h"
#include "kit/KitFile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace morvane;

namespace {

using PadValues = std::array<std::uint8_t, PadCount>;

struct ExampleKit {
    std::string file;
    std::string nameUtf8;
    int kit;
    int bank;
    PadValues notes;
    PadValues channels;
    std::uint32_t seed;
    std::size_t length = KitDumpLength;
};

// 0x7D is the MIDI manufacturer ID for non-commercial use; the six bytes
// after it are ours: "MV", device 16, model 0, "kit dump" 0x21, version 1.
constexpr std::array<std::uint8_t, 7> Header = {0x7D, 0x4D, 0x56, 0x10, 0x00, 0x21, 0x01};

// General MIDI percussion: kick, snares, hi-hats, cymbals, toms, hand percussion.
constexpr PadValues DrumNotes = {36, 38, 40, 37, 42, 46, 44, 49, 57, 51, 53, 55,
                                 41, 43, 45, 47, 48, 50, 39, 54, 56, 52, 35, 31};
constexpr PadValues LatinNotes = {60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 73,
                                  74, 75, 76, 77, 78, 79, 80, 81, 58, 69, 82, 83};

constexpr PadValues allChannels(std::uint8_t channel)
{
    PadValues values{};
    values.fill(channel);
    return values;
}

// Mostly the drum channel; the last two pads play a bass line on channel 2.
constexpr PadValues DemoChannels = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                                    10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 2, 2};

constexpr PadValues withBadNotes()
{
    PadValues notes = DrumNotes;
    notes[2] = 200;
    notes[6] = 129;
    notes[23] = 255;
    return notes;
}

constexpr PadValues withBadChannels()
{
    PadValues channels = allChannels(10);
    channels[2] = 17;
    channels[11] = 100;
    channels[19] = 128;
    return channels;
}

const std::vector<ExampleKit> ExampleKits = {
    {"demo-kit.syx", "Morvane Demo", 3, 0, DrumNotes, DemoChannels, 0x5EED0001},
    {"demo-kit-2.syx", "Pérc. Latina", 7, 2, LatinNotes, allChannels(10), 0x5EED0002},
    {"out-of-range.syx", "Out of Range", 24, 128, withBadNotes(), withBadChannels(), 0x5EED0003},
    {"long-dump.syx", "Long Dump", 5, 1, DrumNotes, allChannels(10), 0x5EED0004, 1000},
    {"batch/kit-1.syx", "Batch One", 1, 0, DrumNotes, allChannels(10), 0x5EED0011},
    {"batch/kit-2.syx", "Batch Two", 2, 0, LatinNotes, allChannels(10), 0x5EED0012},
    {"batch/kit-3.syx", "Batch Three", 3, 0, DrumNotes, allChannels(1), 0x5EED0013},
};

// Plausible 7-bit data for the bytes the editor never touches: a fixed
// linear congruential sequence, so the files come out the same every time.
KitDump filledDump(const ExampleKit& kit)
{
    KitDump dump(kit.length);
    std::uint32_t state = kit.seed;
    for (auto& byte : dump) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 25);
    }
    dump[0] = 0xF0;
    std::copy(Header.begin(), Header.end(), dump.begin() + 1);
    dump[KitDumpLength - 1] = 0xF7;
    return dump;
}

Result<KitDump> buildDump(const ExampleKit& kit)
{
    const auto name = cp1252FromUtf8(kit.nameUtf8);
    if (!name) return Result<KitDump>::failure(name.error());
    KitFields fields;
    replaceSystemVariables(fields, name.value(), kit.kit, kit.bank + 1);
    fields.PadMNN = kit.notes;
    fields.PadTCH = kit.channels;
    KitDump dump = filledDump(kit);
    if (auto encoded = encodeKit(fields, dump); !encoded) return Result<KitDump>::failure(encoded.error());
    return dump;
}

Status writeExample(const fs::path& folder, const ExampleKit& kit)
{
    const auto dump = buildDump(kit);
    if (!dump) return Status::failure(kit.file + ": " + dump.error());
    const fs::path target = folder / kit.file;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    return saveWholeFile(target, dump.value());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-example-kits FOLDER\n";
        return 2;
    }
    for (const auto& kit : ExampleKits) {
        if (auto written = writeExample(argv[1], kit); !written) {
            std::cerr << "make-example-kits: " << written.error() << "\n";
            return 1;
        }
    }
    return 0;
}
