// Random play: long seeded sequences of clicks, ticks and Help round trips, with a small model of the
// machine beside it; after every event the machine has to agree with the model.
#include "support.h"

#include <QCoreApplication>
#include <QTimer>

#include <deque>
#include <random>
#include <sstream>

using testsupport::amountFor;
using testsupport::chartRows;
using testsupport::expectedCombinations;
using testsupport::MachineTest;
using testsupport::movesPerSpin;
using testsupport::stepFor;
using testsupport::symbolAfter;

namespace {

#if defined(__SANITIZE_ADDRESS__)  // set by the compiler under -fsanitize=address
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif

// Events per seed: five seeds make 200,000 events in a normal build, fewer under the
// address sanitizer, which runs the same play several times slower.
constexpr int eventsPerSeed = sanitized ? 12000 : 40000;

// The machine as a player sees it, kept by plain bookkeeping.
struct Model {
    enum class Phase { idle, spinning, paying };

    long long money = 100;
    int bet = 1;
    Phase phase = Phase::idle;
    int spinTicks = 0;
    std::array<int, 3> starts{};
    int wonRow = 0;
    long long paid = 0;
    long long betsTaken = 0;
    long long creditsPaid = 0;
    int pulls = 0;
    bool betAreasOpen = true;  // after a return from Help, also during the rest of the round

    bool pull(const std::array<int, 3>& s)
    {
        if (phase != Phase::idle) return false;
        money -= bet;
        betsTaken += bet;
        ++pulls;
        betAreasOpen = false;
        starts = s;
        spinTicks = 0;
        phase = Phase::spinning;
        return true;
    }
    void betOne()
    {
        if (betAreasOpen) bet = bet == 5 ? 1 : bet + 1;
    }
    void betMax()
    {
        if (betAreasOpen) bet = 5;
    }
    // The machine window comes back freshly loaded: the books start again from 100,
    // and a round under way goes on with the bet areas open.
    void helpRoundTrip()
    {
        money = 100;
        betsTaken = 0;
        creditsPaid = 0;
        bet = 1;
        betAreasOpen = true;
    }
    void endRound()
    {
        phase = Phase::idle;
        betAreasOpen = true;
    }
    void tick()
    {
        if (phase == Phase::spinning) {
            if (++spinTicks < 112) return;
            std::array<int, 3> line{};
            for (int reel = 0; reel < 3; ++reel) line[reel] = symbolAfter(starts[reel], movesPerSpin[reel]);
            wonRow = 0;
            for (int row = 1; row <= chartRows; ++row)
                if (expectedCombinations[row - 1] == line) wonRow = row;
            if (wonRow == 0) {
                endRound();
                return;
            }
            phase = Phase::paying;
            paid = 0;
        }
        if (phase == Phase::paying) {
            if (paid < amountFor(bet, wonRow)) {
                money += stepFor(wonRow);
                creditsPaid += stepFor(wonRow);
                paid += stepFor(wonRow);
            } else {
                wonRow = 0;
                paid = 0;
                endRound();
            }
        }
    }
};

enum class Event { tick, burst, lever, betOne, betMax, inertClick, helpRoundTrip };

class RandomPlayTest : public MachineTest, public ::testing::WithParamInterface<unsigned> {
protected:
    // With no event loop in the tests, the repaint and visibility events that Qt posts
    // would pile up over a long play and slow every later one down; between the
    // player's events the program's event loop would have handled them.
    void handlePostedEvents() { QCoreApplication::sendPostedEvents(); }

    void SetUp() override
    {
        MachineTest::SetUp();
        handlePostedEvents();
    }

    // Where the machine and the model disagree, or "" when they agree.
    std::string disagreements()
    {
        std::ostringstream out;
        auto check = [&out](bool ok, const std::string& what) {
            if (!ok) out << what << "; ";
        };
        machine::MachineWindow& m = w();
        check(m.rahat == model.money,
              "money " + std::to_string(m.rahat) + ", expected " + std::to_string(model.money));
        check(model.money == 100 - model.betsTaken + model.creditsPaid, "the books do not balance");
        check(m.Text1->text() == std::to_string(m.rahat), "Text1 shows " + m.Text1->text());
        check(m.bet == model.bet, "bet " + std::to_string(m.bet) + ", expected " + std::to_string(model.bet));
        check(m.bet >= 1 && m.bet <= 5, "bet out of range");
        check(m.betbox->text() == std::to_string(model.bet), "betbox shows " + m.betbox->text());
        for (int row = 1; row <= chartRows; ++row)
            check(m.voittosumma(row).text() == std::to_string(amountFor(model.bet, row)),
                  "row " + std::to_string(row) + " shows " + m.voittosumma(row).text());
        check(beeps == model.pulls, "beeps " + std::to_string(beeps));
        check(random->draws == 3 * model.pulls && random->values.empty(), "starts drawn outside a pull");

        const int tila = model.phase == Model::Phase::idle ? 0 : model.phase == Model::Phase::spinning ? 1 : 2;
        check(m.tila == tila, "tila " + std::to_string(m.tila) + ", expected " + std::to_string(tila));
        if (model.phase == Model::Phase::idle) {
            const std::string lights = lightsOutOfRest();
            check(lights.empty(), "idle with the lights " + lights);
            check(m.laskuri == 0, "idle with laskuri " + std::to_string(m.laskuri));
            check(m.bet_one->enabled() && m.bet_max->enabled(), "idle with a bet area disabled");
        } else {
            check(m.bet_one->enabled() == model.betAreasOpen && m.bet_max->enabled() == model.betAreasOpen,
                  model.betAreasOpen ? "a bet area disabled after Help" : "a bet area enabled during the round");
        }
        if (model.phase == Model::Phase::paying) {
            check(m.voittorivi == model.wonRow, "paying row " + std::to_string(m.voittorivi));
            check(m.maksettu == model.paid, "paid " + std::to_string(m.maksettu));
        }
        return out.str();
    }

    // A click on a control that takes no clicks: a reel cell, a chart image or an arrow.
    platform::Image& anInertControl()
    {
        std::uniform_int_distribution<int> which(0, 9 + 36 + 2 - 1);
        const int i = which(rng);
        if (i < 9) return w().Image(i + 1);
        if (i < 9 + 36) return *w().voitto((i - 9) / 3 + 1)[(i - 9) % 3];
        return i == 45 ? *w().nuoli_vasen : *w().nuoli_oikea;
    }

    std::array<int, 3> someStarts()
    {
        if (std::bernoulli_distribution(0.15)(rng)) return {5, 3, 1};  // the one winning triple
        std::uniform_int_distribution<int> symbol(1, 5);
        return {symbol(rng), symbol(rng), symbol(rng)};
    }

    // The draw that starts a reel at `symbol`, anywhere inside its fifth of [0, 1).
    double drawAnywhereFor(int symbol) { return (symbol - 1 + std::uniform_real_distribution<double>(0.01, 0.99)(rng)) / 5.0; }

    void remember(const std::string& event)
    {
        recent.push_back(event);
        if (recent.size() > 12) recent.pop_front();
    }
    std::string history() const
    {
        std::string out;
        for (const std::string& e : recent) out += e + " | ";
        return out;
    }

    std::mt19937 rng;
    Model model;
    std::deque<std::string> recent;
};

TEST_P(RandomPlayTest, theMachineKeepsItsBooksAndItsLightsWhateverThePlayerClicksAndWhenever)
{
    rng.seed(GetParam());
    ASSERT_EQ(disagreements(), "");

    // Weights of the events, in the order of Event.
    std::discrete_distribution<int> pick({550, 30, 140, 80, 40, 160, 4});
    std::uniform_int_distribution<int> burstLength(2, 120);

    int events = 0;
    int wins = 0;
    int inertClicks = 0;
    int helpTrips = 0;
    int handledUpTo = 0;
    while (events < eventsPerSeed) {
        if (events - handledUpTo >= 500) {
            handlePostedEvents();
            handledUpTo = events;
        }
        const auto event = static_cast<Event>(pick(rng));
        switch (event) {
        case Event::tick:
        case Event::burst: {
            const int n = event == Event::tick ? 1 : burstLength(rng);
            for (int i = 0; i < n; ++i) {
                const bool spinEnds = model.phase == Model::Phase::spinning && model.spinTicks == 111;
                tick();
                model.tick();
                if (spinEnds && model.phase == Model::Phase::paying) ++wins;
                ++events;
                remember("tick");
                ASSERT_EQ(disagreements(), "") << "seed " << GetParam() << ", event " << events << ": " << history();
            }
            continue;
        }
        case Event::lever: {
            const std::array<int, 3> s = someStarts();
            if (model.phase == Model::Phase::idle)
                for (int symbol : s) random->values.push_back(drawAnywhereFor(symbol));
            const bool taken = model.pull(s);
            pull();
            remember(taken ? "pull " + std::to_string(s[0]) + std::to_string(s[1]) + std::to_string(s[2]) : "refused pull");
            break;
        }
        case Event::betOne:
            model.betOne();
            w().bet_one->click();
            remember("bet one");
            break;
        case Event::betMax:
            model.betMax();
            w().bet_max->click();
            remember("bet max");
            break;
        case Event::inertClick: {
            platform::Image& control = anInertControl();
            const testsupport::Snapshot before = snapshot();
            control.click();
            ++inertClicks;
            remember("inert click");
            ASSERT_EQ(testsupport::changes(before, snapshot()), "") << "seed " << GetParam() << ": " << history();
            break;
        }
        case Event::helpRoundTrip:
            QTimer::singleShot(0, [] { Form2->Command1->click(); });
            w().clickMenu(1);
            model.helpRoundTrip();
            ++helpTrips;
            remember("help");
            break;
        }
        ++events;
        ASSERT_EQ(disagreements(), "") << "seed " << GetParam() << ", event " << events << ": " << history();
    }

    // The sequence was long enough to play whole rounds, won and lost.
    EXPECT_GT(model.pulls, 20);
    EXPECT_GT(wins, 3);
    EXPECT_GT(inertClicks, 100);
    EXPECT_GT(helpTrips, 5);
    RecordProperty("events", events);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPlayTest, ::testing::Values(1u, 7u, 2024u, 31337u, 4000000007u));

}  // namespace
