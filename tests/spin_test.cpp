// The lever and the spin: what a pull does, and what every tick of a spin shows.
#include "support.h"

#include <functional>
#include <vector>

using testsupport::MachineTest;
using testsupport::movesPerSpin;
using testsupport::symbolAfter;

namespace {

// The symbol before and after `symbol` on the strip, which runs round.
int previous(int symbol) { return symbol == 1 ? 8 : symbol - 1; }
int next(int symbol) { return symbol == 8 ? 1 : symbol + 1; }

class SpinTest : public MachineTest {
protected:
    // After spinning tick `n` from starts `s`: the reels, their cells, the lever, the
    // counter and the interval are where a spin has to be after n ticks.
    void expectSpinAfterTick(int n, const std::array<int, 3>& s)
    {
        const std::string at = "tick " + std::to_string(n);
        EXPECT_EQ(w().laskuri, n == 112 ? 0 : 100 * n) << at;  // a lost round ends on tick 112
        EXPECT_EQ(w().Timer1->interval(), 25 + n) << at;
        EXPECT_EQ(handle(w().kahva), handle(n <= 11 ? *w().kahva2 : *w().kahva1)) << at << ": lever";
        for (int reel = 0; reel < 3; ++reel) {
            const int moves = std::min(n, movesPerSpin[reel]);
            const int symbol = symbolAfter(s[reel], moves);
            // A reel is drawn blurred up to and including the tick of its last move.
            const bool blurred = n <= movesPerSpin[reel];
            const std::string on = at + ", reel " + std::to_string(reel + 1);
            EXPECT_EQ(w().rulla[reel], symbol * 1000) << on;
            EXPECT_EQ(w().stopped[reel], n >= movesPerSpin[reel] ? 1 : 0) << on;
            EXPECT_EQ(view(reel * 3 + 1), (CellView{previous(symbol), blurred})) << on << ", top cell";
            EXPECT_EQ(view(reel * 3 + 2), (CellView{symbol, blurred})) << on << ", middle cell";
            EXPECT_EQ(view(reel * 3 + 3), (CellView{next(symbol), blurred})) << on << ", bottom cell";
        }
    }
};

}  // namespace

TEST_F(SpinTest, aPullDisablesTheBetAreasLowersTheLeverTakesTheBetDrawsThreeStartsAndBeepsLast)
{
    w().bet_one->click();
    w().bet_one->click();  // bet 3
    w().stopped = {1, 1, 1};
    w().Timer1->setInterval(200);
    scriptStarts(2, 5, 1);
    const std::string drawsBefore = random->order;
    const long refreshesBefore = w().Image(5).refreshCount();

    // When the beep sounds, everything else of the pull is done.
    bool checkedAtBeep = false;
    platform::setBeepListener([&] {
        ++beeps;
        checkedAtBeep = true;
        EXPECT_FALSE(w().bet_one->enabled());
        EXPECT_FALSE(w().bet_max->enabled());
        EXPECT_EQ(handle(w().kahva), handle(*w().kahva2));
        EXPECT_EQ(w().rahat, 97);
        EXPECT_EQ(w().Text1->text(), "97");
        EXPECT_EQ(w().rulla, (std::array<long long, 3>{2000, 5000, 1000}));
        EXPECT_EQ(w().tila, 1);
        EXPECT_EQ(w().stopped, (std::array<int, 3>{0, 0, 0}));
        EXPECT_EQ(w().Timer1->interval(), 25);
    });
    pull();

    EXPECT_TRUE(checkedAtBeep);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(random->order.substr(drawsBefore.size()), "RDRDRD") << "each start is drawn right after a reseed";
    EXPECT_EQ(w().laskuri, 0);
    EXPECT_EQ(w().bet, 3);
    // The click draws no cell: the reels show what they showed until the first tick.
    EXPECT_EQ(w().Image(5).refreshCount(), refreshesBefore);
}

TEST_F(SpinTest, aPullWithLessMoneyThanTheBetTakesTheMoneyBelowZero)
{
    w().rahat = 3;
    w().bet_max->click();
    scriptStarts(1, 1, 1);
    pull();
    EXPECT_EQ(w().rahat, -2);
    EXPECT_EQ(w().Text1->text(), "-2");
    EXPECT_EQ(w().tila, 1);
    EXPECT_EQ(beeps, 1);
}

TEST_F(SpinTest, everySpinningTickMovesDrawsAndStopsTheReelsLeftToRightOnTheirOwnTicks)
{
    // The first round of the program: every field of the round starts empty. The starts
    // themselves are never drawn: tick 1 already shows each reel one symbol further on.
    ASSERT_EQ(w().tila, 0);
    ASSERT_EQ(w().laskuri, 0);
    const std::array<int, 3> starts{4, 1, 5};
    scriptStarts(starts[0], starts[1], starts[2]);
    pull();
    for (int n = 1; n <= 112; ++n) {
        tick();
        expectSpinAfterTick(n, starts);
        ASSERT_EQ(w().tila, n < 112 ? 1 : 0) << "tick " << n;
        if (HasFailure()) break;  // one tick's story is enough
    }
}

TEST_F(SpinTest, theIntervalRunsFrom25To137OverASpinWhateverItWasBefore)
{
    for (const int before : {1, 25, 137, 200, 5000}) {
        w().Timer1->setInterval(before);
        scriptStarts(1, 2, 3);
        pull();
        EXPECT_EQ(w().Timer1->interval(), 25) << "before " << before;
        for (int n = 1; n <= 112; ++n) {
            tick();
            ASSERT_EQ(w().Timer1->interval(), 25 + n) << "before " << before << ", tick " << n;
        }
        ASSERT_EQ(w().tila, 0);
    }
}

TEST_F(SpinTest, everyStartTripleStopsEachReelItsOwnNumberOfSymbolsOnAndOnlyFiveThreeOneWins)
{
    for (int l = 1; l <= 5; ++l)
        for (int c = 1; c <= 5; ++c)
            for (int r = 1; r <= 5; ++r) {
                const std::string triple = std::to_string(l) + "," + std::to_string(c) + "," + std::to_string(r);
                scriptStarts(l, c, r);
                pull();
                tick(112);
                EXPECT_EQ(view(2), (CellView{symbolAfter(l, 91), false})) << triple;
                EXPECT_EQ(view(5), (CellView{symbolAfter(c, 101), false})) << triple;
                EXPECT_EQ(view(8), (CellView{symbolAfter(r, 111), false})) << triple;
                const bool wins = l == 5 && c == 3 && r == 1;
                EXPECT_EQ(w().voittorivi, wins ? 1 : 0) << triple;
                EXPECT_EQ(w().tila, wins ? 2 : 0) << triple;
                playToIdle();
            }
}

TEST_F(SpinTest, aClickOnTheLeverOrTheBetAreasDuringASpinOrAPayoutChangesNothing)
{
    w().bet_one->click();  // bet 2: row 1 pays 600, sixty credits from tick 112 on
    scriptStarts(5, 3, 1);
    pull();
    int ticked = 0;
    for (const int at : {1, 11, 12, 91, 111, 112, 113, 150, 171}) {
        tick(at - ticked);
        ticked = at;
        ASSERT_NE(w().tila, 0) << "tick " << at;
        const std::vector<std::pair<const char*, platform::Image*>> controls{
            {"kahva", w().kahva}, {"bet_one", w().bet_one}, {"bet_max", w().bet_max}};
        for (const auto& [name, control] : controls) {
            const testsupport::Snapshot before = snapshot();
            control->click();
            EXPECT_EQ(testsupport::changes(before, snapshot()), "") << name << " clicked after tick " << at;
        }
    }
    EXPECT_EQ(playToIdle(), 1) << "sixty credits from tick 112 on: the round ends on tick 172";
    EXPECT_EQ(w().rahat, 100 - 2 + 600);
    EXPECT_EQ(beeps, 1);
}

TEST_F(SpinTest, anIdleTickChangesNothingAtWhateverIntervalTheTimerRuns)
{
    struct Scenario {
        const char* name;
        std::function<void()> reach;
        int interval;
    };
    const std::vector<Scenario> scenarios{
        {"after the load", [] {}, 25},
        {"after a lost round",
         [this] {
             scriptStarts(1, 1, 1);
             pull();
             playToIdle();
         },
         137},
        {"after a won round",
         [this] {
             scriptStarts(5, 3, 1);
             pull();
             playToIdle();
         },
         200},
    };
    for (const Scenario& s : scenarios) {
        s.reach();
        ASSERT_EQ(w().tila, 0) << s.name;
        EXPECT_EQ(w().Timer1->interval(), s.interval) << s.name;
        const testsupport::Snapshot before = snapshot();
        tick(20);
        EXPECT_EQ(testsupport::changes(before, snapshot()), "") << s.name;
    }
}
