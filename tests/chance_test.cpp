// The clock-seeded generator: a pull re-seeds before each of its three draws, in
// quick succession, and the starts must still be independent and even.
#include "support.h"

#include <map>

using testsupport::MachineTest;

namespace {

class RealChanceTest : public MachineTest {
protected:
    void SetUp() override
    {
        MachineTest::SetUp();
        platform::setRandomSource(nullptr);
    }
};

}  // namespace

TEST(StartPosition, everyRandomValueGivesOneOfTheFirstFiveSymbols)
{
    EXPECT_EQ(machine::startPosition(0.0), 1000);
    EXPECT_EQ(machine::startPosition(0.2), 2000);
    EXPECT_EQ(machine::startPosition(0.7999), 4000);
    EXPECT_EQ(machine::startPosition(0.8), 5000);
    // The largest value below 1 must not reach a sixth symbol.
    EXPECT_EQ(machine::startPosition(0.99999999999999989), 5000);
    EXPECT_EQ(machine::startPosition(static_cast<double>(0.99999994f)), 5000);
}

TEST_F(RealChanceTest, everyStartTripleComesUpAboutEquallyOften)
{
    constexpr int pulls = 62500;  // 500 of each of the 125 triples expected
    std::map<std::array<long long, 3>, int> seen;
    for (int i = 0; i < pulls; ++i) {
        w().tila = 0;  // let the next pull through without playing the spin
        pull();
        ++seen[w().rulla];
    }
    ASSERT_EQ(seen.size(), 125u);
    for (const auto& [triple, count] : seen) {
        for (long long start : triple) EXPECT_TRUE(start % 1000 == 0 && start >= 1000 && start <= 5000) << start;
        // 500 expected; the band is more than six standard deviations wide.
        EXPECT_GT(count, 350) << triple[0] << "," << triple[1] << "," << triple[2];
        EXPECT_LT(count, 650) << triple[0] << "," << triple[1] << "," << triple[2];
    }
    EXPECT_EQ(beeps, pulls);
}
