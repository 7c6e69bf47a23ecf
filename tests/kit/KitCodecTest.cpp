#include "kit/KitCodec.h"
#include "support/KitFiles.h"

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

// A standard-length dump of zeros except for what a test sets.
KitDump zeroDump() { return KitDump(KitDumpLength, 0); }

// Fields that encode: every channel and the kit number at least 1.
KitFields encodableFields()
{
    KitFields fields;
    fields.KitNumber = 1;
    fields.PadTCH.fill(10);
    return fields;
}

}  // namespace

// The encoder writes what the shared test dump writes for the same values and
// keeps every byte it does not own. The byte places themselves are checked
// against literal offsets by the morvane-kit edit test.
TEST(KitEncode, WritesEachValueInItsFormAndKeepsTheOtherBytes)
{
    KitFields fields = decodeKit(makeKitDump()).value();
    fields.PadMNN[1] = 128;
    fields.PadTCH[1] = 16;
    replaceSystemVariables(fields, std::string("Ab\x07") + "d", 24, 19);  // the bank argument counts from 1
    KitDump dump = makeKitDump();
    ASSERT_TRUE(encodeKit(fields, dump));
    KitSpec spec{"Ab\x07" "d        ", 24, 18};  // empty name positions become spaces
    spec.notes[1] = 128;
    spec.channels[1] = 16;
    EXPECT_EQ(dump, makeKitDump(spec));
}

TEST(KitDecode, RefusesAShortDumpAndEveryOwnedByteOutsideSevenBitDataNamingOffsetAndValue)
{
    EXPECT_TRUE(decodeKit(KitDump(MinDecodableLength, 0)));
    EXPECT_EQ(decodeKit(KitDump(744, 0)).error(), "The kit dump is too short (744 bytes); a kit dump has 746 bytes.");

    // The first and last of each kind of owned byte, with the highest value it may hold.
    const std::pair<std::size_t, std::uint8_t> owned[] = {
        {offsets::BankLow, 15}, {offsets::BankLow + 1, 15}, {offsets::padNote(0), 15}, {offsets::padNote(23) + 1, 15},
        {offsets::nameChar(0), 15}, {offsets::nameChar(11) + 1, 15}, {offsets::KitNumber, 127},
        {offsets::padChannel(0), 127}, {offsets::padChannel(23), 127}};
    for (const auto& [offset, highest] : owned) {
        KitDump dump = zeroDump();
        dump[offset] = highest;
        EXPECT_TRUE(decodeKit(dump)) << offset;
        dump[offset] = highest + 1;
        const auto refused = decodeKit(dump);
        ASSERT_FALSE(refused) << offset;
        const auto named = "offset " + std::to_string(offset) + ", which holds " + std::to_string(highest + 1);
        EXPECT_NE(refused.error().find(named), std::string::npos) << refused.error();
    }
}

TEST(KitEncode, RefusesValuesTheDumpCannotHoldNamingThemAndWritesNothing)
{
    const auto refusal = [](const std::string& what, const char* range) {
        return "The " + what + " cannot be stored in a kit dump (it must lie between " + range + ").";
    };
    const std::pair<void (*)(KitFields&), std::string> rows[] = {
        {[](KitFields& f) { f.KitNumber = 129; }, refusal("kit number 129", "1 and 128")},
        {[](KitFields& f) { f.BankNumber = 256; }, refusal("bank number 256", "0 and 255")},
        {[](KitFields& f) { f.PadTCH[6] = 0; }, refusal("transmit channel 0 of pad 7", "1 and 128")},
        {[](KitFields& f) { f.PadTCH[23] = 129; }, refusal("transmit channel 129 of pad 24", "1 and 128")},
    };
    for (const auto& [spoil, message] : rows) {
        KitFields fields = encodableFields();
        spoil(fields);
        KitDump dump = zeroDump();
        EXPECT_EQ(encodeKit(fields, dump).error(), message);
        EXPECT_EQ(dump, zeroDump());
    }
    KitDump tooShort(100, 7);
    EXPECT_FALSE(encodeKit(encodableFields(), tooShort));
    EXPECT_EQ(tooShort, KitDump(100, 7));
}

// A zero or empty argument leaves its field; a long name is kept whole but
// only twelve characters reach the dump.
TEST(ReplaceSystemVariables, ChangesOnlyWhatIsGivenAndSaysWhat)
{
    KitFields fields = encodableFields();
    const KitFields before = fields;
    const auto nothing = replaceSystemVariables(fields, "", 0, 0);
    EXPECT_EQ(fields, before);
    EXPECT_FALSE(nothing.name || nothing.kitNumber || nothing.bankNumber);
    const auto all = replaceSystemVariables(fields, "Fourteen chars", 9, 1);
    EXPECT_TRUE(all.name && all.kitNumber && all.bankNumber);
    KitDump dump = zeroDump();
    ASSERT_TRUE(encodeKit(fields, dump));
    EXPECT_EQ(fields.KitName, "Fourteen chars");
    EXPECT_EQ(decodeKit(dump).value().KitName, "Fourteen cha");
}
