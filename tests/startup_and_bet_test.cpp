// Start-up of the machine window, the pictures it loads, and the bet with its chart.
#include "support.h"

#include "platform/picture.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

using testsupport::amountFor;
using testsupport::chartRows;
using testsupport::expectedCombinations;
using testsupport::MachineTest;

namespace {

class StartUpTest : public MachineTest {
protected:
    // The twelve amount boxes, the stored amounts and betbox all show `bet`'s chart.
    void expectChartOfBet(int bet, int shownBet)
    {
        for (int row = 1; row <= chartRows; ++row) {
            EXPECT_EQ(w().voittoarvo(row), amountFor(bet, row)) << "bet " << bet << ", row " << row;
            EXPECT_EQ(w().voittosumma(row).text(), std::to_string(amountFor(bet, row))) << "bet " << bet << ", row " << row;
        }
        EXPECT_EQ(w().betbox->text(), std::to_string(shownBet));
    }

    // The handles of the eighteen stores: eight sharp, eight blurred, lever up, lever down.
    std::vector<platform::Picture::Handle> storeHandles()
    {
        std::vector<platform::Picture::Handle> handles;
        for (int k = 1; k <= machine::symbols; ++k) handles.push_back(handle(w().Picture(k)));
        for (int k = 1; k <= machine::symbols; ++k) handles.push_back(handle(w().Picture_blur(k)));
        handles.push_back(handle(*w().kahva1));
        handles.push_back(handle(*w().kahva2));
        return handles;
    }

    void expectEveryChartImageSharesItsSymbolsSharpStore()
    {
        for (int row = 1; row <= chartRows; ++row)
            for (int e = 0; e < 3; ++e) {
                const int symbol = expectedCombinations[row - 1][e];
                // The very object of the store, not a copy of its pixels.
                EXPECT_EQ(w().voitto(row)[e]->picture().get(), w().Picture(symbol).picture().get())
                    << "voitto_" << row << "(" << e << ") should show symbol " << symbol;
            }
    }
};

// Changes the working directory for as long as it lives.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& to) : home_(std::filesystem::current_path())
    {
        std::filesystem::current_path(to);
    }
    ~WorkingDirectory() { std::filesystem::current_path(home_); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path home_;
};

}  // namespace

TEST_F(StartUpTest, aLoadedWindowShowsOneHundredCreditsBetOneAndTheAmountsOfBetOne)
{
    EXPECT_EQ(w().rahat, 100);
    EXPECT_EQ(w().Text1->text(), "100");
    EXPECT_EQ(w().bet, 1);
    expectChartOfBet(1, 1);
    EXPECT_EQ(w().Timer1->interval(), 25);
    EXPECT_TRUE(w().bet_one->enabled());
    EXPECT_TRUE(w().bet_max->enabled());
    EXPECT_EQ(lightsOutOfRest(), "");
}

TEST_F(StartUpTest, beforeTheFirstSpinTheMiddleCellsShowAStarOfTheirOwnAndTheLeverItsStoredPicture)
{
    const std::vector<platform::Picture::Handle> stores = storeHandles();
    std::set<platform::Picture::Handle> stars;
    for (int cell = 1; cell <= 9; ++cell) {
        const auto h = handle(&w().Image(cell));
        if (cell % 3 == 2) {
            EXPECT_NE(h, 0u) << "Image" << cell;
            stars.insert(h);
        } else {
            EXPECT_EQ(h, 0u) << "Image" << cell << " should be empty";
        }
        EXPECT_EQ(std::count(stores.begin(), stores.end(), h), 0) << "Image" << cell << " shows a store's picture";
    }
    EXPECT_EQ(stars.size(), 3u) << "each middle cell carries its own copy of the star";

    const auto lever = handle(w().kahva);
    EXPECT_NE(lever, 0u);
    EXPECT_EQ(std::count(stores.begin(), stores.end(), lever), 0) << "the lever shows its stored picture, not a store";
}

TEST_F(StartUpTest, theEighteenStoresHoldDifferentPicturesAndTheChartSharesThoseOfTheSharpStores)
{
    const std::vector<platform::Picture::Handle> handles = storeHandles();
    const std::set<platform::Picture::Handle> distinct(handles.begin(), handles.end());
    EXPECT_EQ(distinct.size(), 18u);
    EXPECT_FALSE(distinct.contains(0u));
    // So no chart image shows a blurred store or a lever picture.
    expectEveryChartImageSharesItsSymbolsSharpStore();
}

TEST_F(StartUpTest, aSecondLoadGivesNewPicturesAndResetsMoneyBetAndChartButKeepsTheRound)
{
    const std::vector<platform::Picture::Handle> before = storeHandles();
    std::set<platform::Picture::Handle> old(before.begin(), before.end());
    for (int row = 1; row <= chartRows; ++row)
        for (int e = 0; e < 3; ++e) old.insert(handle(w().voitto(row)[e]));
    for (int cell = 2; cell <= 8; cell += 3) old.insert(handle(&w().Image(cell)));

    w().rahat = -37;
    w().bet_max->click();
    w().tila = 2;
    w().laskuri = 11200;
    w().rulla = {7000, 3000, 1000};
    w().stopped = {1, 1, 0};
    w().voittorivi = 4;
    w().maksettu = 120;
    w().tahti = 1;

    reload();

    EXPECT_EQ(w().rahat, 100);
    EXPECT_EQ(w().Text1->text(), "100");
    EXPECT_EQ(w().bet, 1);
    expectChartOfBet(1, 1);
    EXPECT_EQ(w().tila, 2);
    EXPECT_EQ(w().laskuri, 11200);
    EXPECT_EQ(w().rulla, (std::array<long long, 3>{7000, 3000, 1000}));
    EXPECT_EQ(w().stopped, (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(w().voittorivi, 4);
    EXPECT_EQ(w().maksettu, 120);
    EXPECT_EQ(w().tahti, 1);

    // Every picture is a new object: the stores, the chart that shares them, and the stars.
    for (const auto h : storeHandles()) EXPECT_FALSE(old.contains(h)) << "store handle " << h << " reused";
    for (int cell = 2; cell <= 8; cell += 3) EXPECT_FALSE(old.contains(handle(&w().Image(cell))));
    expectEveryChartImageSharesItsSymbolsSharpStore();
    EXPECT_EQ(lightsOutOfRest(), "");
    EXPECT_TRUE(w().bet_one->enabled());
    EXPECT_TRUE(w().bet_max->enabled());
}

TEST_F(StartUpTest, betOneRaisesTheBetOneToFiveAndThenBackToOneWithTheChartOfEachBet)
{
    std::vector<platform::Picture::Handle> chartPictures;
    for (int row = 1; row <= chartRows; ++row)
        for (int e = 0; e < 3; ++e) chartPictures.push_back(handle(w().voitto(row)[e]));

    for (const int expected : {2, 3, 4, 5, 1, 2}) {
        w().bet_one->click();
        EXPECT_EQ(w().bet, expected);
        expectChartOfBet(expected, expected);
        // Only the amounts change with the bet, never the symbols.
        std::size_t i = 0;
        for (int row = 1; row <= chartRows; ++row)
            for (int e = 0; e < 3; ++e) EXPECT_EQ(handle(w().voitto(row)[e]), chartPictures[i++]);
    }
}

TEST_F(StartUpTest, betMaxGivesBetFiveFromEveryBetAndBetOneAfterItGivesOne)
{
    for (int from = 1; from <= 5; ++from) {
        reload();
        for (int i = 1; i < from; ++i) w().bet_one->click();
        ASSERT_EQ(w().bet, from);
        w().bet_max->click();
        EXPECT_EQ(w().bet, 5) << "from bet " << from;
        expectChartOfBet(5, 5);
        EXPECT_EQ(w().voittosumma(1).text(), "5000");
        w().bet_one->click();
        EXPECT_EQ(w().bet, 1) << "from bet " << from;
        expectChartOfBet(1, 1);
    }
}

TEST_F(StartUpTest, aChartSetForABetOutsideOneToFiveKeepsTheAmountsAndShowsThatBet)
{
    w().bet_one->click();
    w().bet_one->click();  // bet 3
    for (const int bet : {0, 6, -1, 100}) {
        w().bet = bet;
        w().aseta_voittosummat();
        expectChartOfBet(3, bet);
    }
}

TEST_F(StartUpTest, aFreshlyBuiltWindowShowsItsStoredLayoutUntilItsLoadHandlerRuns)
{
    // Loading the window where no data folder is: the load handler fails on its first
    // picture, so the window stays exactly as its stored description built it.
    namespace fs = std::filesystem;
    const fs::path empty = fs::temp_directory_path() / ("vilkora-no-data-" + std::to_string(::getpid()));
    fs::create_directories(empty);
    w().Unload();
    {
        WorkingDirectory there(empty);
        EXPECT_THROW(w().Show(), platform::RuntimeError);
    }
    fs::remove_all(empty);
    ASSERT_TRUE(w().loaded());

    EXPECT_EQ(w().Text1->text(), "");
    EXPECT_EQ(w().betbox->text(), "");
    EXPECT_EQ(w().Text2->text(), "Bet");
    for (int row = 1; row <= chartRows; ++row) {
        EXPECT_EQ(w().voittosumma(row).text(), "1500") << "row " << row;
        for (int e = 0; e < 3; ++e) EXPECT_EQ(handle(w().voitto(row)[e]), 0u) << "row " << row << " element " << e;
    }
    for (int cell = 1; cell <= 9; ++cell) EXPECT_EQ(handle(&w().Image(cell)) != 0, cell % 3 == 2) << "Image" << cell;
    EXPECT_NE(handle(w().kahva), 0u);
    EXPECT_EQ(lightsOutOfRest(), "");
    EXPECT_EQ(w().Timer1->interval(), 25);
}
