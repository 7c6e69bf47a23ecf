#include "midi/SysexFramer.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

// Bytes as a driver cuts them → the whole messages that come out.
TEST(SysexFraming, WholeMessagesComeOutOfAnyPiecesWithRealTimeBytesTakenOut)
{
    using Bytes = std::vector<std::uint8_t>;
    struct Row {
        std::vector<Bytes> pieces;
        std::vector<Bytes> sysex;
        std::vector<Bytes> shortMessages;
    };
    const Row rows[] = {
        {{{0xF0, 1}, {0xF8, 2, 0xFE}, {3, 0xF7}}, {{0xF0, 1, 2, 3, 0xF7}}, {}},
        {{{0xF0, 1, 0xF0, 2, 0xF7}}, {{0xF0, 2, 0xF7}}, {}},
        {{{0xF0, 1, 0x90, 60, 100, 61, 0}}, {}, {{0x90, 60, 100}, {0x90, 61, 0}}},
        {{{0xF7, 5, 0xC0, 3, 0xF8}}, {}, {{0xC0, 3}}},
    };
    for (const auto& row : rows) {
        SysexFramer framer;
        std::vector<Bytes> sysex, shortMessages;
        for (const auto& piece : row.pieces)
            for (auto& event : framer.take(piece.data(), piece.size()))
                (event.kind == MidiInputEvent::Kind::Sysex ? sysex : shortMessages).push_back(event.bytes);
        EXPECT_EQ(sysex, row.sysex);
        EXPECT_EQ(shortMessages, row.shortMessages);
    }
}

}  // namespace
