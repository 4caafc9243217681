// The window timer as the handlers rely on it.
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <memory>

// A tick may unload its own window, which destroys the timer while it ticks; the
// sanitizer build shows any touch of the timer after that.
TEST(Timer, aTickThatDestroysItsOwnTimerLeavesTheTimerAlone)
{
    auto timer = std::make_unique<platform::Timer>(25);
    int ticks = 0;
    timer->onTick = [&] {
        ++ticks;
        timer.reset();
    };
    timer->fire();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
}
