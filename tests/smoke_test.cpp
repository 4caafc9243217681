#include "support.h"

using testsupport::MachineTest;

TEST_F(MachineTest, aFreshLoadShowsTheMoneyTheBetAndTheChartOfBetOne)
{
    EXPECT_EQ(w().Text1->text(), "100");
    EXPECT_EQ(w().betbox->text(), "1");
    EXPECT_EQ(w().voittosumma(1).text(), "500");
    EXPECT_EQ(w().voittosumma(12).text(), "10");
}

TEST_F(MachineTest, aWinningSpinPaysRowOneAndEndsOnTick162)
{
    scriptStarts(5, 3, 1);
    pull();
    EXPECT_EQ(w().rahat, 99);
    EXPECT_EQ(playToIdle(), 162);
    EXPECT_EQ(w().rahat, 599);
    EXPECT_EQ(beeps, 1);
}
