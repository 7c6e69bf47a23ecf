#include "editor/EditorTexts.h"

#include <gtest/gtest.h>

using morvane::commandLinePath;

TEST(CommandLine, QuotesAndBlanksAroundAPathAreUndoneAsTheShellSplitThem)
{
    const std::pair<QStringList, QString> cases[] = {
        {{}, {}},
        {{"\"\""}, {}},
        {{"\"/kits/rock1.syx\""}, "/kits/rock1.syx"},
        {{"\"\"/kits/a.syx\"\""}, "\"/kits/a.syx\""},  // one pair of quotes only
        {{"/kits/rock1.syx"}, "/kits/rock1.syx"},
        {{"\"/kits/a.syx"}, "\"/kits/a.syx"},
        {{"\""}, "\""},
        {{"/my", "kits/a.syx"}, "/my kits/a.syx"},
        {{"\"/my", "kits/a.syx\""}, "/my kits/a.syx"},
    };
    for (const auto& [args, path] : cases) EXPECT_EQ(commandLinePath(args), path) << args.join(' ').toStdString();
}
