#include "platform/picture.h"
#include "platform/system.h"

#include <gtest/gtest.h>

TEST(NumberText, IsPlainDecimal)
{
    EXPECT_EQ(platform::numberText(100), "100");
    EXPECT_EQ(platform::numberText(-3), "-3");
    EXPECT_EQ(platform::numberText(0), "0");
}
