// The round trip through Help: the machine window is unloaded while the help window
// is open and comes back freshly loaded; a round under way goes on from where it stood.
#include "support.h"

#include "platform/qt_internal.h"

#include <QTimer>

#include <filesystem>
#include <functional>

using testsupport::MachineTest;

namespace {

// The fields of the record that a new load of the machine window keeps.
struct RoundFields {
    long long laskuri;
    std::array<long long, 3> rulla;
    std::array<int, 3> stopped;
    int tila, tahti, voittorivi;
    long long maksettu;
    bool operator==(const RoundFields&) const = default;
};

RoundFields roundFields(const machine::MachineWindow& w)
{
    return {w.laskuri, w.rulla, w.stopped, w.tila, w.tahti, w.voittorivi, w.maksettu};
}

class HelpTest : public MachineTest {
protected:
    // Chooses Help from the menu; `whileOpen` runs inside the help window's modal
    // show, and then "Close window" is clicked unless it closed the window itself.
    void roundTrip(const std::function<void()>& whileOpen = {})
    {
        QTimer::singleShot(0, [whileOpen] {
            if (whileOpen) whileOpen();
            if (!Form2.empty() && Form2->loaded()) Form2->Command1->click();
        });
        w().clickMenu(1);
    }
};

}  // namespace

TEST_F(HelpTest, helpWhileIdleBringsBackAFreshMachineAndKeepsTheRoundFields)
{
    w().rahat = 37;
    for (int i = 0; i < 3; ++i) w().bet_one->click();
    ASSERT_EQ(w().bet, 4);
    w().tahti = 1;
    w().voittorivi = 0;
    const RoundFields before = roundFields(w());

    roundTrip();

    ASSERT_TRUE(w().loaded());
    EXPECT_TRUE(w().visible());
    EXPECT_EQ(w().Text1->text(), "100");
    EXPECT_EQ(w().betbox->text(), "1");
    for (int row = 1; row <= machine::chartRows; ++row)
        EXPECT_EQ(w().voittosumma(row).text(), std::to_string(machine::payAmounts[0][row - 1]));
    EXPECT_EQ(roundFields(w()), before);
    EXPECT_TRUE(Form2.empty());
}

TEST_F(HelpTest, theReturnShowsTheStoredLayoutAgain)
{
    scriptStarts(2, 2, 2);
    pull();
    playToIdle();
    ASSERT_NE(handle(w().Image_[0]), 0u);

    roundTrip();

    for (int cell = 1; cell <= 9; ++cell) {
        const bool middle = cell % 3 == 2;
        const auto h = handle(&w().Image(cell));
        EXPECT_EQ(h != 0, middle) << "Image" << cell;
        for (int symbol = 1; symbol <= machine::symbols; ++symbol) {
            EXPECT_NE(h, handle(w().Picture(symbol)));
            EXPECT_NE(h, handle(w().Picture_blur(symbol)));
        }
    }
    EXPECT_NE(handle(w().kahva), handle(*w().kahva2));
    EXPECT_FALSE(w().nuoli_vasen->visible());
    EXPECT_FALSE(w().nuoli_oikea->visible());
    EXPECT_TRUE(w().bet_one->enabled());
    EXPECT_TRUE(w().bet_max->enabled());
    EXPECT_EQ(w().Timer1->interval(), 25);
}

TEST_F(HelpTest, theHelpWindowShowsThePictureTheInstructionsAndFocusesCloseWindow)
{
    bool looked = false;
    roundTrip([&] {
        looked = true;
        EXPECT_FALSE(Form1->loaded());
        helpwindow::HelpWindow& help = *Form2;
        ASSERT_TRUE(help.loaded());
        QWidget* window = platform::qtWidget(help);
        EXPECT_EQ(window->windowTitle(), "Vilkora - Help");
        EXPECT_TRUE(window->isModal());
        EXPECT_EQ(platform::qtClientArea(help)->size(), QSize(469, 516));
        EXPECT_EQ(help.Image1->picture()->width(), 301);
        EXPECT_EQ(help.Image1->picture()->height(), 303);
        EXPECT_EQ(help.Label1->text(), "Instructions");
        EXPECT_EQ(help.Label3->text(), "II) Pull the lever (3) to start the round and reels (4) begin to spin");
        EXPECT_TRUE(help.Label2->text().starts_with("I) Before round: Press 'BET MAX' (5)"));
        EXPECT_TRUE(help.Label4->text().ends_with("(Yes, it is possible to win at this game! ;-)"));
        EXPECT_EQ(help.Command1->caption(), "Close window");
        EXPECT_TRUE(help.Command1->hasFocus());
    });
    EXPECT_TRUE(looked);
}

TEST_F(HelpTest, everyHelpBuildsANewHelpWindowAndEveryReturnResetsTheMoney)
{
    for (int trip = 0; trip < 5; ++trip) {
        w().rahat = -20 + trip;
        bool open = false;
        roundTrip([&] { open = Form2->loaded(); });
        EXPECT_TRUE(open);
        EXPECT_TRUE(Form2.empty());
        EXPECT_EQ(w().Text1->text(), "100");
        EXPECT_EQ(w().rahat, 100);
    }
}

TEST_F(HelpTest, aSpinInterruptedByHelpEndsAsAnUninterruptedSpinWould)
{
    scriptStarts(2, 4, 1);
    pull();
    const int uninterrupted = playToIdle();
    const auto expected = w().rulla;

    scriptStarts(2, 4, 1);
    pull();
    tick(50);
    const RoundFields atHelp = roundFields(w());
    roundTrip();
    EXPECT_EQ(roundFields(w()), atHelp);  // the round stood still while help was open

    EXPECT_TRUE(w().bet_one->enabled());  // the bet areas work for the rest of the spin
    EXPECT_EQ(beeps, 2);
    const int rest = playToIdle();
    EXPECT_EQ(50 + rest, uninterrupted);
    EXPECT_EQ(w().rulla, expected);
    EXPECT_EQ(w().rahat, 100);  // not charged again
}

TEST_F(HelpTest, aResumedSpinGrowsTheIntervalFromTheStoredPace)
{
    scriptStarts(1, 1, 1);
    pull();
    tick(30);
    roundTrip();
    ASSERT_EQ(w().Timer1->interval(), 25);
    tick();
    EXPECT_EQ(w().Timer1->interval(), 26);
    EXPECT_EQ(w().laskuri, 3100);
}

TEST_F(HelpTest, aPayoutInterruptedByHelpGoesOnFromWhatWasPaidAgainstTheNewBet)
{
    w().bet_max->click();
    scriptStarts(5, 3, 1);
    pull();
    tick(112 + 9);  // the win is found on tick 112; ten credits of 10 so far
    ASSERT_EQ(w().voittorivi, 1);
    ASSERT_EQ(w().maksettu, 100);

    roundTrip();
    // Back at bet 1, row 1 pays 500: forty more credits, then the clearing tick.
    const int rest = playToIdle();
    EXPECT_EQ(rest, 41);
    EXPECT_EQ(w().rahat, 100 + 400);
    EXPECT_EQ(w().voittorivi, 0);
    EXPECT_EQ(w().maksettu, 0);
}

TEST_F(HelpTest, aPayoutAlreadyPastTheNewAmountOnlyClearsAfterHelp)
{
    w().bet_max->click();
    scriptStarts(5, 3, 1);
    pull();
    tick(112 + 59);  // sixty credits: 600, more than row 1 pays at bet 1
    ASSERT_EQ(w().maksettu, 600);

    roundTrip();
    tick();
    EXPECT_EQ(w().tila, 0);
    EXPECT_EQ(w().rahat, 100);
    EXPECT_EQ(w().voittorivi, 0);
}

TEST_F(HelpTest, closingTheHelpWindowByItsCloseBoxLeavesNoWindow)
{
    roundTrip([] { platform::qtWidget(*Form2)->close(); });
    EXPECT_EQ(platform::Form::loadedCount(), 0);
    EXPECT_FALSE(Form1->loaded());
}

TEST_F(HelpTest, closingTheMachineWindowLeavesNoWindow)
{
    platform::qtWidget(w())->close();
    EXPECT_EQ(platform::Form::loadedCount(), 0);
}

TEST_F(HelpTest, aPictureFileRemovedWhileHelpIsOpenEndsTheProgramOnTheReturn)
{
    namespace fs = std::filesystem;
    const fs::path copy = fs::temp_directory_path() / ("vilkora-help-" + std::to_string(::getpid()));
    fs::remove_all(copy);
    fs::create_directories(copy);
    fs::copy("data", copy / "data");
    const fs::path home = fs::current_path();
    fs::current_path(copy);
    EXPECT_EXIT(roundTrip([&] { fs::remove(copy / "data" / "kuva5_blur.bmp"); }), testing::ExitedWithCode(1),
                "cannot load picture \"data/kuva5_blur.bmp\": file not found");
    fs::current_path(home);
    fs::remove_all(copy);
}
