#include "midi/ServerCalls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <semaphore>
#include <thread>

using namespace morvane;
using namespace std::chrono_literals;

namespace {

// A server that stops answering holds up the calls' thread only: the caller
// gets a named failure at the limit, later callers fail at once, and a call
// given up on never runs once the server answers again.
TEST(ServerCalls, AServerThatStopsAnsweringHoldsUpNoCaller)
{
    auto answer = std::make_shared<std::binary_semaphore>(0);
    auto ran = std::make_shared<std::atomic<int>>(0);
    const auto counted = [ran] { ++*ran; return succeeded(); };
    ServerCalls calls("the test server", 50ms);
    calls.post([answer] { answer->acquire(); });
    EXPECT_EQ(calls.call(counted).error(), "the test server did not answer within 50 ms");
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(calls.call(counted).error(), "the test server does not answer");
    answer->release();
    for (int i = 0; i < 500 && calls.overdue(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(calls.call(counted));
    EXPECT_EQ(*ran, 1);
}

}  // namespace
