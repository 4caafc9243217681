// The win check on the winning line, the flashing lights, the stepwise payout and
// the end of a round.
#include "support.h"

#include "platform/picture.h"

#include <functional>
#include <vector>

using testsupport::amountFor;
using testsupport::chartRows;
using testsupport::expectedCombinations;
using testsupport::MachineTest;
using testsupport::stepFor;

namespace {

class WinTest : public MachineTest {
protected:
    // The visibility of the 48 chart controls, row by row.
    std::vector<bool> chartVisibility()
    {
        std::vector<bool> v;
        for (int row = 1; row <= chartRows; ++row) {
            for (int e = 0; e < 3; ++e) v.push_back(w().voitto(row)[e]->visible());
            v.push_back(w().voittosumma(row).visible());
        }
        return v;
    }

    bool rowVisible(int row)
    {
        const bool shown = w().voittosumma(row).visible();
        for (int e = 0; e < 3; ++e) EXPECT_EQ(w().voitto(row)[e]->visible(), shown) << "row " << row << " flashes whole";
        return shown;
    }

    // Both arrows and the row are lit (visible) or both dark, never apart.
    void expectLights(int row, bool on, const std::string& at)
    {
        EXPECT_EQ(w().nuoli_vasen->visible(), on) << at;
        EXPECT_EQ(w().nuoli_oikea->visible(), on) << at;
        EXPECT_EQ(rowVisible(row), on) << at;
    }
};

}  // namespace

TEST_F(WinTest, eachChartCombinationOnTheWinningLineWinsItsRow)
{
    for (int row = 1; row <= chartRows; ++row)
        for (const int before : {0, 9}) {
            const auto& c = expectedCombinations[row - 1];
            showOnWinningLine(c[0], c[1], c[2]);
            w().voittorivi = before;
            const testsupport::Snapshot untouched = snapshot();
            w().tarkasta_voitot();
            EXPECT_EQ(w().voittorivi, row);
            w().voittorivi = before;  // the check writes the won row and nothing else
            EXPECT_EQ(testsupport::changes(untouched, snapshot()), "") << "row " << row;
        }
}

TEST_F(WinTest, aWinningLineThatShowsNoRowExactlyLeavesTheWonRowAsItWas)
{
    struct Line {
        std::string name;
        std::function<void()> show;
    };
    std::vector<Line> lines{
        {"the stored stars", [] {}},
        {"row 4 with left and right exchanged", [this] { showOnWinningLine(5, 6, 6); }},
        {"row 1 with an empty centre cell",
         [this] {
             showOnWinningLine(8, 8, 8);
             w().Image(5).setPicture(nullptr);
         }},
        {"row 1 with the left symbol loaded again from its file",
         [this] {
             showOnWinningLine(8, 8, 8);
             w().Image(2).setPicture(platform::LoadPicture("data/kuva8.bmp"));
         }},
    };
    // Any row's combination with one symbol blurred, in each of the three places.
    for (int row = 1; row <= chartRows; ++row)
        for (int place = 0; place < 3; ++place)
            lines.push_back({"row " + std::to_string(row) + " blurred in place " + std::to_string(place), [this, row, place] {
                                 const auto& c = expectedCombinations[row - 1];
                                 showOnWinningLine(c[0], c[1], c[2]);
                                 w().Image(2 + 3 * place).setPicture(w().Picture_blur(c[place]).picture());
                             }});

    for (const Line& line : lines)
        for (const int before : {0, 7}) {
            line.show();
            w().voittorivi = before;
            w().tarkasta_voitot();
            EXPECT_EQ(w().voittorivi, before) << line.name;
        }
}

TEST_F(WinTest, theFirstFlashPutsTheRowAndTheArrowsOutAndTheNextOneLightsThem)
{
    w().rahat = 1234;
    w().blinker(1);
    EXPECT_EQ(w().Text1->text(), "1234");
    EXPECT_EQ(w().tahti, 1);
    expectLights(1, false, "first flash");
    for (int row = 2; row <= chartRows; ++row) EXPECT_TRUE(rowVisible(row)) << "row " << row;

    w().rahat = 1244;
    w().blinker(1);
    EXPECT_EQ(w().Text1->text(), "1244");
    EXPECT_EQ(w().tahti, 0);
    expectLights(1, true, "second flash");
}

TEST_F(WinTest, theBeatIsSharedByAllRowsAndOnlyTheEndOfTheRoundShowsAHiddenRowAgain)
{
    w().blinker(1);  // out: row 1 hidden
    w().blinker(4);  // the next step lights up, whatever row it is for
    EXPECT_TRUE(w().nuoli_vasen->visible());
    EXPECT_TRUE(w().nuoli_oikea->visible());
    EXPECT_TRUE(rowVisible(4));
    EXPECT_FALSE(rowVisible(1));

    w().blinker(4);  // out again, beat 1
    w().palauta_voitot_nakyviin();
    EXPECT_EQ(lightsOutOfRest(), "");
    EXPECT_EQ(w().tahti, 1) << "the rest state leaves the beat alone";
}

TEST_F(WinTest, aFlashForARowOutsideTheChartShowsTheMoneyAndFlashesOnlyTheArrows)
{
    for (const int voitto : {0, 13}) {
        w().voitto(3)[1]->setVisible(false);  // whatever the chart shows stays so
        const std::vector<bool> chart = chartVisibility();
        for (const bool on : {false, true}) {
            w().rahat += 10;
            w().blinker(voitto);
            const std::string at = "row " + std::to_string(voitto);
            EXPECT_EQ(w().Text1->text(), std::to_string(w().rahat)) << at;
            EXPECT_EQ(w().tahti, on ? 0 : 1) << at;
            EXPECT_EQ(w().nuoli_vasen->visible(), on) << at;
            EXPECT_EQ(w().nuoli_oikea->visible(), on) << at;
            EXPECT_EQ(chartVisibility(), chart) << at;
        }
    }
}

TEST_F(WinTest, aPayoutStepWithNoRowPendingDoesNothing)
{
    for (const int row : {0, 13, -1}) {
        w().voittorivi = row;
        w().maksettu = 30;
        const testsupport::Snapshot before = snapshot();
        w().voitonmaksu();
        EXPECT_EQ(testsupport::changes(before, snapshot()), "") << "row " << row;
    }
}

TEST_F(WinTest, everyRowPaysItsAmountForEveryBetOneStepPerTickAndTheRoundEndsOnTheTickAfterTheLastCredit)
{
    bool lightsOn = true;  // the beat carries over from one payout to the next
    for (int bet = 1; bet <= 5; ++bet) {
        w().bet = bet;
        w().aseta_voittosummat();
        for (int row = 1; row <= chartRows; ++row) {
            const std::string won = "bet " + std::to_string(bet) + ", row " + std::to_string(row);
            const long long amount = amountFor(bet, row);
            const long long credits = amount / stepFor(row);
            const long long money = w().rahat;
            stopOnRow(row);
            for (long long i = 1; i <= credits; ++i) {
                tick();
                lightsOn = !lightsOn;
                const std::string at = won + ", credit " + std::to_string(i);
                ASSERT_EQ(w().rahat, money + i * stepFor(row)) << at;
                EXPECT_EQ(w().Text1->text(), std::to_string(w().rahat)) << at;
                EXPECT_EQ(w().maksettu, i * stepFor(row)) << at;
                EXPECT_EQ(w().voittorivi, row) << at;
                EXPECT_EQ(w().tila, 2) << at;
                EXPECT_EQ(w().laskuri, 11200) << at;
                EXPECT_EQ(w().Timer1->interval(), 200) << at;
                EXPECT_FALSE(w().bet_one->enabled()) << at;
                expectLights(row, lightsOn, at);
            }
            tick();  // credits nothing, clears the row and ends the round
            EXPECT_EQ(w().rahat, money + amount) << won;
            EXPECT_EQ(w().Text1->text(), std::to_string(money + amount)) << won;
            EXPECT_EQ(w().voittorivi, 0) << won;
            EXPECT_EQ(w().maksettu, 0) << won;
            EXPECT_EQ(w().tila, 0) << won;
            EXPECT_EQ(w().laskuri, 0) << won;
            EXPECT_EQ(w().tahti, lightsOn ? 0 : 1) << won;
            EXPECT_EQ(w().Timer1->interval(), 200) << won;
            EXPECT_TRUE(w().bet_one->enabled()) << won;
            EXPECT_TRUE(w().bet_max->enabled()) << won;
            EXPECT_EQ(lightsOutOfRest(), "") << won;
            if (HasFailure()) return;
        }
    }
}

TEST_F(WinTest, aPayoutOfFiveStepsFlashesOffOnOffOnOffAndTheNextPayoutStartsLit)
{
    stopOnRow(8);  // 50 at bet 1: five credits of 10
    for (const bool on : {false, true, false, true, false}) {
        tick();
        expectLights(8, on, "credit " + std::to_string(w().maksettu / 10));
    }
    tick();
    EXPECT_EQ(w().tila, 0);
    EXPECT_EQ(lightsOutOfRest(), "");
    EXPECT_EQ(w().tahti, 1);

    stopOnRow(8);
    tick();
    expectLights(8, true, "first credit of the next payout");
}

TEST_F(WinTest, rowOneWonBySpinningFiveThreeOneIsPaidAtEachBetFromTick112AndTheRoundEndsTheTickAfter)
{
    for (int bet = 1; bet <= 5; ++bet) {
        reload();
        for (int i = 1; i < bet; ++i) w().bet_one->click();
        const long long credits = amountFor(bet, 1) / 10;
        scriptStarts(5, 3, 1);
        pull();
        tick(111);
        EXPECT_EQ(w().rahat, 100 - bet);

        tick();  // 112: the reels stop sharp on 8, 8, 8 and the first credit comes at once
        EXPECT_EQ(w().voittorivi, 1) << "bet " << bet;
        EXPECT_EQ(w().rahat, 100 - bet + 10) << "bet " << bet;
        EXPECT_EQ(w().Timer1->interval(), 200) << "bet " << bet;
        for (int cell = 1; cell <= 9; ++cell) EXPECT_FALSE(view(cell).blurred) << "Image" << cell;

        tick(static_cast<int>(credits) - 1);  // the last credit
        EXPECT_EQ(w().rahat, 100 - bet + amountFor(bet, 1)) << "bet " << bet;
        EXPECT_EQ(w().tila, 2) << "bet " << bet;

        tick();  // the round ends and credits nothing
        EXPECT_EQ(w().tila, 0) << "bet " << bet << ", tick " << 112 + credits;
        EXPECT_EQ(w().rahat, 100 - bet + amountFor(bet, 1)) << "bet " << bet;
        EXPECT_EQ(w().Timer1->interval(), 200);
        EXPECT_EQ(lightsOutOfRest(), "");
    }
}

TEST_F(WinTest, aLimitLoweredDuringAPayoutStopsTheCreditsAtOnce)
{
    struct Case {
        long long newLimit;
        int moreCredits;
    };
    // Row 1 at bet 5 pays 5000; after three credits (30) its amount is changed.
    for (const Case c : {Case{10, 0}, Case{30, 0}, Case{40, 1}, Case{70, 4}}) {
        const std::string at = "limit " + std::to_string(c.newLimit);
        w().bet_max->click();
        stopOnRow(1);
        tick(3);
        const long long money = w().rahat;
        w().voittoarvo(1) = c.newLimit;
        tick(c.moreCredits);
        EXPECT_EQ(w().rahat, money + 10 * c.moreCredits) << at;
        EXPECT_EQ(w().tila, 2) << at;
        tick();  // only clears
        EXPECT_EQ(w().rahat, money + 10 * c.moreCredits) << at;
        EXPECT_EQ(w().tila, 0) << at;
        EXPECT_EQ(w().voittorivi, 0) << at;
        EXPECT_EQ(w().maksettu, 0) << at;
    }
}

TEST_F(WinTest, aLostRoundEndsOnTick112WithTheMachineIdleAndTheTimerAt137)
{
    scriptStarts(1, 1, 1);
    pull();
    tick(111);
    EXPECT_EQ(w().tila, 1);
    EXPECT_FALSE(w().bet_one->enabled());
    EXPECT_FALSE(w().bet_max->enabled());

    tick();
    EXPECT_EQ(w().tila, 0);
    EXPECT_EQ(w().laskuri, 0);
    EXPECT_EQ(w().voittorivi, 0);
    EXPECT_EQ(w().rahat, 99);
    EXPECT_EQ(w().Text1->text(), "99");
    EXPECT_TRUE(w().bet_one->enabled());
    EXPECT_TRUE(w().bet_max->enabled());
    EXPECT_EQ(w().Timer1->interval(), 137);
    EXPECT_EQ(lightsOutOfRest(), "");
}
