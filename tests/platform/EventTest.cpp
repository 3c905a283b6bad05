#include "platform/Event.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(Event, ResetsItselfAfterReleasingOneWait) {
    platform::Event event;
    event.Set();
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_FALSE(event.WaitFor(10));  // auto-reset: the one signal was used up
}

TEST(Event, WakesAWaiterOnAnotherThread) {
    platform::Event event;
    bool woke = false;
    std::thread waiter([&] {
        event.Wait();
        woke = true;
    });
    event.Set();
    waiter.join();
    EXPECT_TRUE(woke);
}

}  // namespace
