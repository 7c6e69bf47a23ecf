#include "editor/EditorTexts.h"

#include <gtest/gtest.h>

using morvane::commandLinePath;

TEST(CommandLine, OnePairOfSurroundingQuotesIsRemoved)
{
    EXPECT_EQ(commandLinePath({QStringLiteral("\"/kits/rock1.syx\"")}), QStringLiteral("/kits/rock1.syx"));
    EXPECT_EQ(commandLinePath({QStringLiteral("\"\"/kits/a.syx\"\"")}), QStringLiteral("\"/kits/a.syx\""));
}

TEST(CommandLine, ABarePathKeepsEveryCharacter)
{
    EXPECT_EQ(commandLinePath({QStringLiteral("/kits/rock1.syx")}), QStringLiteral("/kits/rock1.syx"));
    EXPECT_EQ(commandLinePath({QStringLiteral("\"/kits/a.syx")}), QStringLiteral("\"/kits/a.syx"));
    EXPECT_EQ(commandLinePath({QStringLiteral("\"")}), QStringLiteral("\""));
}

TEST(CommandLine, APathSplitAtBlanksIsJoinedAgain)
{
    EXPECT_EQ(commandLinePath({QStringLiteral("/my"), QStringLiteral("kits/a.syx")}), QStringLiteral("/my kits/a.syx"));
    EXPECT_EQ(commandLinePath({QStringLiteral("\"/my"), QStringLiteral("kits/a.syx\"")}),
              QStringLiteral("/my kits/a.syx"));
}

TEST(CommandLine, NoArgumentOrEmptyQuotesGiveNoPath)
{
    EXPECT_TRUE(commandLinePath({}).isEmpty());
    EXPECT_TRUE(commandLinePath({QStringLiteral("\"\"")}).isEmpty());
}
