#include "editor/RecentKits.h"

#include <gtest/gtest.h>

using morvane::RecentKits;

// Lists are paths joined by '|'; in a stored list '|' stands for the separator.
TEST(RecentKitsTest, AFileGoesToTheTopOnceTheOldestBeyondEightDropsAndTheListReadsBackAsWritten)
{
    const char* const rows[][4] = {
        // stored, added, removed, listed
        {"", "/a", "", "/a"},
        {"/a|/b|/c", "/c", "", "/c|/a|/b"},
        {"/a|/b|/c|/d|/e|/f|/g|/h", "/i", "", "/i|/a|/b|/c|/d|/e|/f|/g"},
        {"/a||/b|/a", "", "", "/a|/b"},
        {"/a|/b|/c|/d|/e|/f|/g|/h|/i|/j", "", "", "/a|/b|/c|/d|/e|/f|/g|/h"},
        {"/a|/b|/c", "", "/b", "/a|/c"},
        {"/line\nbreak|/b", "/b", "/x", "/b|/line\nbreak"},
    };
    for (const auto& [stored, added, removed, listed] : rows) {
        auto recent = RecentKits::parse(QString(stored).replace('|', QChar(0)));
        if (*added) recent.add(added);
        recent.remove(removed);
        EXPECT_EQ(recent.paths().join('|').toStdString(), listed) << stored;
        EXPECT_EQ(RecentKits::parse(recent.serialized()).paths(), recent.paths()) << stored;
    }
}
