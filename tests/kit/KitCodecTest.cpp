#include "kit/KitCodec.h"

#include <gtest/gtest.h>

using namespace morvane;

TEST(KitCodec, DecodesPadOneNoteAndChannel)
{
    KitDump dump(KitDumpLength, 0);
    dump[9] = 4;
    dump[10] = 2;
    dump[17] = 9;
    auto fields = decodeKit(dump);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields.value().PadMNN[0], 36);
    EXPECT_EQ(fields.value().PadTCH[0], 10);
}
