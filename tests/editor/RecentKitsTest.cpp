#include "editor/RecentKits.h"

#include <gtest/gtest.h>

using morvane::RecentKits;

// Lists are written as paths joined by '|'; '~' stands for the stored separator.
TEST(RecentKitsTest, AFileGoesToTheTopOnceTheOldestBeyondEightDropsAndTheListReadsBackAsWritten)
{
    struct Row {
        const char* stored;
        const char* add;
        const char* remove;
        const char* listed;
    };
    const Row rows[] = {
        {"", "/a", "", "/a"},
        {"/a~/b~/c", "/c", "", "/c|/a|/b"},
        {"/a~/b~/c~/d~/e~/f~/g~/h", "/i", "", "/i|/a|/b|/c|/d|/e|/f|/g"},
        {"/a~~/b~/a", "", "", "/a|/b"},
        {"/a~/b~/c~/d~/e~/f~/g~/h~/i~/j", "", "", "/a|/b|/c|/d|/e|/f|/g|/h"},
        {"/a~/b~/c", "", "/b", "/a|/c"},
        {"/line\nbreak~/b", "/b", "/x", "/b|/line\nbreak"},
    };
    for (const auto& row : rows) {
        auto recent = RecentKits::parse(QString::fromUtf8(row.stored).replace('~', QChar(0)));
        if (*row.add) recent.add(row.add);
        if (*row.remove) recent.remove(row.remove);
        EXPECT_EQ(recent.paths().join('|'), row.listed) << row.stored;
        EXPECT_EQ(RecentKits::parse(recent.serialized()).paths(), recent.paths()) << row.stored;
    }
}
