// The tests run on the offscreen platform with timers that tick only when a test
// fires them.
#include "platform/form.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    platform::Timer::setClockDriven(false);
    platform::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
