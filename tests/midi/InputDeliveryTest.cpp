#include "midi/InputDelivery.h"

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
            threads.push_back(QThread::currentThread());
        });
    }

    static MidiInputEvent note(std::uint8_t key) { return {MidiInputEvent::Kind::Short, {key}}; }

    InputDelivery delivery;
    std::vector<std::uint8_t> delivered;
    std::vector<QThread*> threads;
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
    for (auto* thread : threads) EXPECT_EQ(thread, QThread::currentThread());

    // Closing drops what was still on its way and all that comes later.
    delivery.post(note(1));
    delivery.inputClosed();
    delivery.post(note(2));
    delivery.inputOpened();
    delivery.post(note(3));
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, (std::vector<std::uint8_t>{1, 2, 3, 3}));
}

}  // namespace
