#include "kit/Cp1252.h"
#include "kit/KitRanges.h"

#include <gtest/gtest.h>

using namespace morvane;

TEST(KitRanges, WholeNumbersMayBeSignedAndSpacedButNothingElse)
{
    const std::pair<const char*, int> numbers[] = {{"12", 12}, {"  007 ", 7}, {"+5", 5}, {"-3", -3}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(parseWholeNumber(text), value) << text;
    for (const char* notANumber : {"", "   ", "+", "-", "+-1", "1.5", "12a", "a12", "1 2", "99999999999"})
        EXPECT_FALSE(parseWholeNumber(notANumber)) << '"' << notANumber << '"';
}

TEST(KitRanges, EachRuleAcceptsItsBoundsAndRefusesOneBeyond)
{
    for (const auto& rule : {KitNumberRule, BankNumberRule, NoteRule, ChannelRule}) {
        EXPECT_EQ(checkNumberText(rule, std::to_string(rule.lowest)), rule.lowest) << rule.name;
        EXPECT_EQ(checkNumberText(rule, std::to_string(rule.highest)), rule.highest) << rule.name;
        EXPECT_FALSE(checkNumberText(rule, std::to_string(rule.lowest - 1))) << rule.name;
        EXPECT_FALSE(checkNumberText(rule, std::to_string(rule.highest + 1))) << rule.name;
    }
}

TEST(Cp1252, EveryCodeSurvivesTheWayToUtf8AndBackAndOthersAreRefused)
{
    for (int code = 0; code < 256; ++code) {
        const std::string byte(1, static_cast<char>(code));
        EXPECT_EQ(cp1252FromUtf8(utf8FromCp1252(byte)).value(), byte) << code;
    }
    EXPECT_EQ(cp1252FromUtf8("Caf\xC3\xA9 \xE2\x82\xAC").value(), "Caf\xE9 \x80");
    EXPECT_FALSE(cp1252FromUtf8("\xF0\x9F\xA5\x81"));  // a drum emoji, outside the code page
    for (const char* broken : {"\xC3", "\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"})
        EXPECT_EQ(cp1252FromUtf8(broken).error(), "The text is not valid UTF-8.");
}
