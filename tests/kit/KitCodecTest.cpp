#include "kit/KitCodec.h"

#include <gtest/gtest.h>

#include <random>

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

// Random bytes everywhere, then the owned bytes brought into their 7-bit
// ranges; a quarter of the name positions hold code 0.
KitDump randomValidDump(std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> length(MinDecodableLength, 1100);
    std::uniform_int_distribution<int> byte(0, 255);
    KitDump dump(length(random));
    for (auto& b : dump) b = static_cast<std::uint8_t>(byte(random));
    for (auto offset : ownedNibbleOffsets()) dump[offset] %= 16;
    for (auto offset : ownedDataByteOffsets()) dump[offset] %= 128;
    for (int c = 0; c < KitNameLength; ++c)
        if (byte(random) < 64) dump[offsets::nameChar(c)] = dump[offsets::nameChar(c) + 1] = 0;
    return dump;
}

}  // namespace

TEST(KitDecode, ReadsPadKitAndBankFromTheirOffsets)
{
    KitDump dump = zeroDump();
    dump[9] = 4;
    dump[10] = 2;
    dump[17] = 9;
    dump[715] = 2;
    dump[716] = 1;
    const auto fields = decoded(dump);
    EXPECT_EQ(fields.PadMNN[0], 36);
    EXPECT_EQ(fields.PadTCH[0], 10);
    EXPECT_EQ(fields.KitNumber, 1);
    EXPECT_EQ(fields.BankNumber, 18);

    dump[offsets::padNote(23)] = 0;
    dump[offsets::padNote(23) + 1] = 8;
    dump[offsets::padChannel(23)] = 15;
    dump[offsets::KitNumber] = 23;
    const auto last = decoded(dump);
    EXPECT_EQ(last.PadMNN[23], 128);
    EXPECT_EQ(last.PadTCH[23], 16);
    EXPECT_EQ(last.KitNumber, 24);
}

TEST(KitDecode, NeedsSevenHundredFortyFiveBytesAndSaysHowManyItGot)
{
    EXPECT_TRUE(decodeKit(KitDump(MinDecodableLength, 0)));
    const auto refused = decodeKit(KitDump(744, 0));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), "The kit dump is too short (744 bytes); a kit dump has 746 bytes.");
    EXPECT_EQ(decodeKit(KitDump(1, 0)).error(), "The kit dump is too short (1 byte); a kit dump has 746 bytes.");
    EXPECT_FALSE(decodeKit(KitDump{}));
}

TEST(KitDecode, RefusesEveryOwnedByteOutsideSevenBitDataNamingOffsetAndValue)
{
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

TEST(KitEncode, WritesNibblePairsLowFirstAndChannelsMinusOne)
{
    KitFields fields = encodableFields();
    fields.KitNumber = 3;
    fields.BankNumber = 18;
    fields.PadMNN[0] = 7;
    fields.PadMNN[1] = 128;
    fields.PadTCH[1] = 16;
    KitDump dump = zeroDump();
    ASSERT_TRUE(encodeKit(fields, dump));
    EXPECT_EQ(dump[8], 2);
    EXPECT_EQ(dump[715], 2);
    EXPECT_EQ(dump[716], 1);
    EXPECT_EQ(dump[9], 7);
    EXPECT_EQ(dump[10], 0);
    EXPECT_EQ(dump[33], 0);
    EXPECT_EQ(dump[34], 8);
    EXPECT_EQ(dump[41], 15);
    EXPECT_EQ(decoded(dump).PadMNN[0], 7);

    // Empty name positions become spaces; small codes keep a high half of zero.
    replaceSystemVariables(fields, std::string("Ab\x07") + "d", 0, 0);
    ASSERT_TRUE(encodeKit(fields, dump));
    EXPECT_EQ(dump[offsets::nameChar(2)], 7);
    EXPECT_EQ(dump[offsets::nameChar(2) + 1], 0);
    for (int c = 4; c < KitNameLength; ++c) {
        EXPECT_EQ(dump[offsets::nameChar(c)], 0);
        EXPECT_EQ(dump[offsets::nameChar(c) + 1], 2);
    }
    EXPECT_EQ(fields.KitName, "Ab\x07" "d");
    EXPECT_EQ(decoded(dump).KitName, "Ab\x07" "d        ");
}

TEST(KitEncode, RefusesValuesTheDumpCannotHoldNamingThemAndWritesNothing)
{
    struct Case {
        void (*spoil)(KitFields&);
        std::string message;
    };
    const Case cases[] = {
        {[](KitFields& f) { f.KitNumber = 0; },
         "The kit number 0 cannot be stored in a kit dump (it must lie between 1 and 128)."},
        {[](KitFields& f) { f.KitNumber = 129; },
         "The kit number 129 cannot be stored in a kit dump (it must lie between 1 and 128)."},
        {[](KitFields& f) { f.BankNumber = 256; },
         "The bank number 256 cannot be stored in a kit dump (it must lie between 0 and 255)."},
        {[](KitFields& f) { f.BankNumber = -1; },
         "The bank number -1 cannot be stored in a kit dump (it must lie between 0 and 255)."},
        {[](KitFields& f) { f.PadTCH[6] = 0; },
         "The transmit channel 0 of pad 7 cannot be stored in a kit dump (it must lie between 1 and 128)."},
        {[](KitFields& f) { f.PadTCH[23] = 129; },
         "The transmit channel 129 of pad 24 cannot be stored in a kit dump (it must lie between 1 and 128)."},
    };
    for (const auto& c : cases) {
        KitFields fields = encodableFields();
        fields.PadMNN.fill(60);
        c.spoil(fields);
        KitDump dump = zeroDump();
        const auto refused = encodeKit(fields, dump);
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error(), c.message);
        EXPECT_EQ(dump, zeroDump());
    }
}

TEST(KitEncode, RefusesADumpTooShortToHoldAKit)
{
    KitDump dump(100, 7);
    EXPECT_FALSE(encodeKit(encodableFields(), dump));
    EXPECT_EQ(dump, KitDump(100, 7));
}

TEST(ReplaceSystemVariables, ChangesOnlyWhatIsGiven)
{
    KitFields fields = encodableFields();
    fields.KitName = "Old";
    fields.BankNumber = 9;
    const KitFields before = fields;

    const auto nothing = replaceSystemVariables(fields, "", 0, 0);
    EXPECT_EQ(fields, before);
    EXPECT_FALSE(nothing.name || nothing.kitNumber || nothing.bankNumber);

    const auto bankOnly = replaceSystemVariables(fields, "", 0, 1);
    EXPECT_EQ(fields.BankNumber, 0);
    EXPECT_TRUE(bankOnly.bankNumber && !bankOnly.name && !bankOnly.kitNumber);

    replaceSystemVariables(fields, "", 0, -4);
    EXPECT_EQ(fields.BankNumber, 0);

    // A long name is kept whole, but only twelve characters reach the dump.
    replaceSystemVariables(fields, "Fourteen chars", 0, 0);
    EXPECT_EQ(fields.KitName, "Fourteen chars");
    KitDump dump = zeroDump();
    ASSERT_TRUE(encodeKit(fields, dump));
    EXPECT_EQ(decoded(dump).KitName, "Fourteen cha");
}

// For every dump whose owned bytes are 7-bit data, decoding and encoding
// without edits gives back the same bytes; only an empty name position
// comes back as a space.
TEST(KitCodecProperty, DecodeThenEncodeGivesTheSameBytesExceptEmptyNamePositions)
{
    std::mt19937 random(20261206);
    for (int round = 0; round < 2000; ++round) {
        const KitDump original = randomValidDump(random);
        const auto fields = decodeKit(original);
        ASSERT_TRUE(fields) << fields.error();
        KitDump encoded = original;
        ASSERT_TRUE(encodeKit(fields.value(), encoded));

        KitDump expected = original;
        for (int c = 0; c < KitNameLength; ++c)
            if (fields.value().KitNameChars[c] == 0) expected[offsets::nameChar(c) + 1] = 2;
        ASSERT_EQ(encoded, expected) << "round " << round;
    }
}
