// What the behaviour tests share: the machine window loaded fresh for every test,
// random numbers scripted, beeps counted, and ticks fired one at a time.
#pragma once

#include "helpwindow/help_window.h"
#include "machine/machine_window.h"
#include "platform/system.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <array>
#include <deque>
#include <map>
#include <string>

namespace testsupport {

// Random values given by the test; reseeds are counted. With no value left it gives 0.
class ScriptedRandom final : public platform::RandomSource {
public:
    void reseedFromClock() override
    {
        ++reseeds;
        order += 'R';
    }
    double next() override
    {
        ++draws;
        order += 'D';
        if (values.empty()) return 0.0;
        const double v = values.front();
        values.pop_front();
        return v;
    }
    std::deque<double> values;
    int reseeds = 0;
    int draws = 0;
    std::string order;  // 'R' for each reseed and 'D' for each draw, as they came
};

// The random value that makes a reel start at `symbol` (1 to 5).
inline double drawFor(int symbol) { return (symbol - 1 + 0.5) / 5.0; }

// The pay chart as the machine has to show it, written out here on its own so that a
// wrong entry in the game's tables shows up as a failing test.
inline constexpr int chartRows = 12;
inline constexpr std::array<std::array<long long, chartRows>, 5> expectedAmounts{{
    {500, 400, 300, 250, 200, 150, 100, 50, 40, 30, 20, 10},
    {600, 500, 400, 300, 250, 200, 150, 100, 80, 60, 40, 20},
    {600, 500, 400, 350, 300, 250, 200, 150, 100, 90, 60, 30},
    {700, 600, 500, 400, 300, 250, 200, 180, 140, 100, 80, 40},
    {5000, 1500, 1000, 800, 700, 600, 500, 400, 300, 200, 100, 50},
}};
// What chart row `row` pays at bet `bet`.
inline long long amountFor(int bet, int row) { return expectedAmounts.at(bet - 1).at(row - 1); }
// The left, centre and right symbols of each chart row.
inline constexpr std::array<std::array<int, 3>, chartRows> expectedCombinations{{
    {8, 8, 8}, {7, 7, 7}, {6, 6, 6}, {6, 6, 5}, {5, 5, 5}, {5, 4, 4},
    {4, 4, 4}, {3, 3, 4}, {3, 3, 3}, {2, 3, 2}, {1, 1, 1}, {1, 1, 2},
}};
// One payout step: ten credits, one for the small wins of rows 10 to 12.
inline long long stepFor(int row) { return row >= 10 ? 1 : 10; }

// How many moves each reel makes in a spin before it stops, left to right.
inline constexpr std::array<int, 3> movesPerSpin{91, 101, 111};
// The symbol a reel shows in its middle cell after `moves` moves from `start`.
inline int symbolAfter(int start, int moves) { return (start - 1 + moves) % 8 + 1; }

// Every field of the game and every property a player could see, keyed by name, for
// checks that an event changed nothing.
using Snapshot = std::map<std::string, std::string>;

// The entries that differ between two snapshots, as "name: before -> after" lines.
inline std::string changes(const Snapshot& before, const Snapshot& after)
{
    std::string out;
    for (const auto& [key, value] : before) {
        const auto found = after.find(key);
        const std::string now = found == after.end() ? "<gone>" : found->second;
        if (now != value) out += key + ": " + value + " -> " + now + "\n";
    }
    for (const auto& [key, value] : after)
        if (!before.contains(key)) out += key + ": <new> -> " + value + "\n";
    return out;
}

class MachineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto source = std::make_unique<ScriptedRandom>();
        random = source.get();
        platform::setRandomSource(std::move(source));
        platform::setBeepListener([this] { ++beeps; });
        Form1->Show();
    }

    void TearDown() override
    {
        if (!Form2.empty()) Form2->Unload();
        Form2.release();
        Form1->Unload();
        Form1.release();
        platform::setRandomSource(nullptr);
        platform::setBeepListener({});
        // No event loop runs in the tests: hand Qt its queued events, and free the
        // unloaded windows' widgets, so that nothing piles up from test to test.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    machine::MachineWindow& w() { return *Form1; }

    // The next pull starts the reels at these symbols (1 to 5).
    void scriptStarts(int left, int centre, int right)
    {
        for (int s : {left, centre, right}) random->values.push_back(drawFor(s));
    }
    void pull() { w().kahva->click(); }
    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i) w().Timer1->fire();
    }
    // Ticks until the machine is idle again; returns how many ticks it took.
    int playToIdle(int limit = 100000)
    {
        int n = 0;
        do {
            tick();
            ++n;
        } while (w().tila != 0 && n < limit);
        return n;
    }

    platform::Picture::Handle handle(platform::Image* image) const { return platform::handleOf(image->picture()); }
    platform::Picture::Handle handle(platform::PictureBox& store) const { return platform::handleOf(store.picture()); }

    // Unloads the machine window and loads it again, as the return from Help does.
    void reload()
    {
        w().Unload();
        w().Show();
    }

    // Puts the sharp pictures of these symbols on the winning line, left to right.
    void showOnWinningLine(int left, int centre, int right)
    {
        w().Image(2).setPicture(w().Picture(left).picture());
        w().Image(5).setPicture(w().Picture(centre).picture());
        w().Image(8).setPicture(w().Picture(right).picture());
    }

    // The machine as a spin leaves it when all three reels have stopped on chart row
    // `row`: the next tick is an evaluation tick that finds the row and pays its
    // first step, at the current bet.
    void stopOnRow(int row)
    {
        const auto& c = expectedCombinations.at(row - 1);
        showOnWinningLine(c[0], c[1], c[2]);
        w().bet_one->setEnabled(false);
        w().bet_max->setEnabled(false);
        w().stopped = {1, 1, 1};
        w().tila = 2;
        w().laskuri = 11200;
        w().Timer1->setInterval(137);
    }

    // What a reel cell shows: the symbol of the store whose very picture it holds (0
    // for a picture of no symbol store) and whether that store is a blurred one.
    struct CellView {
        int symbol = 0;
        bool blurred = false;
        bool operator==(const CellView&) const = default;
    };
    CellView view(int cell)
    {
        const auto h = handle(&w().Image(cell));
        for (int k = 1; k <= machine::symbols; ++k) {
            if (h == handle(w().Picture(k))) return {k, false};
            if (h == handle(w().Picture_blur(k))) return {k, true};
        }
        return {};
    }

    // "" when the lights are at rest: every chart image and amount box visible and
    // both arrows hidden; otherwise what is out of place.
    std::string lightsOutOfRest()
    {
        std::string out;
        if (w().nuoli_vasen->visible()) out += "left arrow shown; ";
        if (w().nuoli_oikea->visible()) out += "right arrow shown; ";
        for (int row = 1; row <= chartRows; ++row) {
            for (int e = 0; e < 3; ++e)
                if (!w().voitto(row)[e]->visible()) out += "voitto_" + std::to_string(row) + "(" + std::to_string(e) + ") hidden; ";
            if (!w().voittosumma(row).visible()) out += "voittosumma_" + std::to_string(row) + " hidden; ";
        }
        return out;
    }

    // Everything of the game that a player or the next event could tell apart.
    Snapshot snapshot()
    {
        machine::MachineWindow& m = w();
        Snapshot s;
        auto put = [&s](const std::string& key, auto value) { s[key] = std::to_string(value); };
        auto putImage = [&](const std::string& key, const platform::Image& image) {
            put(key + ".picture", platform::handleOf(image.picture()));
            put(key + ".visible", image.visible());
            put(key + ".enabled", image.enabled());
            put(key + ".refreshes", image.refreshCount());
        };
        put("laskuri", m.laskuri);
        put("maksettu", m.maksettu);
        put("tila", m.tila);
        put("bet", m.bet);
        put("tahti", m.tahti);
        put("voittorivi", m.voittorivi);
        put("rahat", m.rahat);
        for (int i = 0; i < 3; ++i) {
            put("rulla_" + std::to_string(i + 1), m.rulla[i]);
            put("stopped_" + std::to_string(i + 1), m.stopped[i]);
        }
        for (int row = 1; row <= chartRows; ++row) {
            const std::string r = std::to_string(row);
            put("voittoarvo_" + r, m.voittoarvo(row));
            for (int e = 0; e < 3; ++e) putImage("voitto_" + r + "(" + std::to_string(e) + ")", *m.voitto(row)[e]);
            s["voittosumma_" + r + ".text"] = m.voittosumma(row).text();
            put("voittosumma_" + r + ".visible", m.voittosumma(row).visible());
        }
        for (int cell = 1; cell <= 9; ++cell) putImage("Image" + std::to_string(cell), m.Image(cell));
        putImage("kahva", *m.kahva);
        putImage("bet_one", *m.bet_one);
        putImage("bet_max", *m.bet_max);
        putImage("nuoli_vasen", *m.nuoli_vasen);
        putImage("nuoli_oikea", *m.nuoli_oikea);
        s["Text1"] = m.Text1->text();
        s["betbox"] = m.betbox->text();
        put("Timer1.interval", m.Timer1->interval());
        put("beeps", beeps);
        s["random"] = random->order;
        return s;
    }

    ScriptedRandom* random = nullptr;
    int beeps = 0;
};

}  // namespace testsupport
