#include "midi/InputDelivery.h"
#include "midi/SysexFramer.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

using namespace morvane;

namespace {

class Delivery : public ::testing::Test {
protected:
    Delivery()
    {
        delivery.setHandler([this](const MidiInputEvent& event) {
            delivered.push_back(event.bytes.front());
            onWindowThread = onWindowThread && QThread::currentThread() == qApp->thread();
        });
    }

    static MidiInputEvent note(std::uint8_t key) { return {MidiInputEvent::Kind::Short, {key}}; }

    InputDelivery delivery;
    std::vector<std::uint8_t> delivered;
    bool onWindowThread = true;
};

TEST_F(Delivery, MessagesFromAnotherThreadArriveOnTheWindowThreadInOrderUntilClosed)
{
    delivery.inputOpened();
    std::thread driver([this] {
        for (std::uint8_t key = 1; key <= 3; ++key) delivery.post(note(key));
    });
    driver.join();
    EXPECT_TRUE(delivered.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(onWindowThread);

    // Closing drops what was still on its way and all that comes later.
    delivery.post(note(1));
    delivery.inputClosed();
    delivery.post(note(2));
    delivery.inputOpened();
    delivery.post(note(3));
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, (std::vector<std::uint8_t>{1, 2, 3, 3}));
}

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
