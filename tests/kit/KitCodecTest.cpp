#include "kit/KitCodec.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

// A standard-length dump of zeros except for what a test sets.
KitDump zeroDump() { return KitDump(KitDumpLength, 0); }

KitFields decoded(const KitDump& dump)
{
    auto fields = decodeKit(dump);
    EXPECT_TRUE(fields) << fields.error();
    return fields ? fields.value() : KitFields{};
}

// Fields that encode: every channel and the kit number at least 1.
KitFields encodableFields()
{
    KitFields fields;
    fields.KitNumber = 1;
    fields.PadTCH.fill(10);
    return fields;
}

std::vector<std::size_t> ownedNibbleOffsets()
{
    std::vector<std::size_t> offsets = {offsets::BankLow, offsets::BankLow + 1};
    for (int p = 0; p < PadCount; ++p)
        offsets.insert(offsets.end(), {offsets::padNote(p), offsets::padNote(p) + 1});
    for (int c = 0; c < KitNameLength; ++c)
        offsets.insert(offsets.end(), {offsets::nameChar(c), offsets::nameChar(c) + 1});
    return offsets;
}

std::vector<std::size_t> ownedDataByteOffsets()
{
    std::vector<std::size_t> offsets = {offsets::KitNumber};
    for (int p = 0; p < PadCount; ++p) offsets.push_back(offsets::padChannel(p));
    return offsets;
}

}  // namespace

// The byte places and value forms of a dump; decoding is checked against
// encoding by the round trip below.
TEST(KitEncode, WritesNibblePairsLowFirstChannelsAndKitMinusOneAndDecodesBack)
{
    KitFields fields = encodableFields();
    fields.KitNumber = 24;
    fields.BankNumber = 18;
    fields.PadMNN[0] = 7;
    fields.PadMNN[1] = 128;
    fields.PadTCH[1] = 16;
    replaceSystemVariables(fields, std::string("Ab\x07") + "d", 0, 0);
    KitDump dump = zeroDump();
    ASSERT_TRUE(encodeKit(fields, dump));
    const std::pair<std::size_t, int> bytes[] = {
        {8, 23}, {715, 2}, {716, 1}, {9, 7}, {10, 0}, {33, 0}, {34, 8}, {17, 9}, {41, 15},
        {offsets::nameChar(2), 7}, {offsets::nameChar(2) + 1, 0}, {offsets::nameChar(11), 0}, {offsets::nameChar(11) + 1, 2}};
    for (const auto& [offset, value] : bytes) EXPECT_EQ(dump[offset], value) << "offset " << offset;
    const auto back = decoded(dump);
    EXPECT_EQ(back.KitNumber, 24);
    EXPECT_EQ(back.BankNumber, 18);
    EXPECT_EQ(back.PadMNN, fields.PadMNN);
    EXPECT_EQ(back.PadTCH, fields.PadTCH);
    // Empty name positions become spaces.
    EXPECT_EQ(back.KitName, "Ab\x07" "d        ");
}

TEST(KitDecode, RefusesAShortDumpAndEveryOwnedByteOutsideSevenBitDataNamingOffsetAndValue)
{
    EXPECT_TRUE(decodeKit(KitDump(MinDecodableLength, 0)));
    EXPECT_EQ(decodeKit(KitDump(744, 0)).error(), "The kit dump is too short (744 bytes); a kit dump has 746 bytes.");

    const std::pair<std::vector<std::size_t>, std::uint8_t> ranges[] = {{ownedNibbleOffsets(), 15},
                                                                        {ownedDataByteOffsets(), 127}};
    for (const auto& [owned, highest] : ranges)
        for (auto offset : owned) {
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

TEST(ReplaceSystemVariables, ChangesOnlyWhatIsGiven)
{
    KitFields fields = encodableFields();
    fields.BankNumber = 9;
    const KitFields before = fields;
    const auto nothing = replaceSystemVariables(fields, "", 0, 0);
    replaceSystemVariables(fields, "", 0, -4);
    EXPECT_EQ(fields, before);
    EXPECT_FALSE(nothing.name || nothing.kitNumber || nothing.bankNumber);
    const auto bankOnly = replaceSystemVariables(fields, "", 0, 1);
    EXPECT_EQ(fields.BankNumber, 0);
    EXPECT_TRUE(bankOnly.bankNumber && !bankOnly.name && !bankOnly.kitNumber);

    // A long name is kept whole, but only twelve characters reach the dump.
    replaceSystemVariables(fields, "Fourteen chars", 0, 0);
    EXPECT_EQ(fields.KitName, "Fourteen chars");
    KitDump dump = zeroDump();
    ASSERT_TRUE(encodeKit(fields, dump));
    EXPECT_EQ(decoded(dump).KitName, "Fourteen cha");
}
