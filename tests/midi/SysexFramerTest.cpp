#include "midi/SysexFramer.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A whole SysEx message of size bytes.
Bytes sysexOf(std::size_t size)
{
    Bytes message(size, 0x11);
    message.front() = 0xF0;
    message.back() = 0xF7;
    return message;
}

// Bytes as a driver cuts them → the whole messages that come out.
TEST(SysexFraming, WholeMessagesComeOutOfAnyPiecesWithRealTimeBytesTakenOut)
{
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
        {{{0xF0, 1, 0xD0, 5, 6}}, {}, {{0xD0, 5}, {0xD0, 6}}},
        {{{0xF0, 1, 0xF2, 1, 2, 0xF1, 3, 0xF3}, {4, 0xF7, 0xF6}}, {}, {{0xF2, 1, 2}, {0xF1, 3}, {0xF3, 4}, {0xF6}}},
        // The longest message kept, then one byte too long, which is dropped whole.
        {{sysexOf(LargestReceivedSysex), sysexOf(LargestReceivedSysex + 1), {0xF0, 9, 0xF7}},
         {sysexOf(LargestReceivedSysex), {0xF0, 9, 0xF7}}, {}},
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
