// What the behaviour tests share: the machine window loaded fresh for every test,
// random numbers scripted, beeps counted, and ticks fired one at a time.
#pragma once

#include "helpwindow/help_window.h"
#include "machine/machine_window.h"
#include "platform/system.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>

namespace testsupport {

// Random values given by the test; reseeds are counted. With no value left it gives 0.
class ScriptedRandom final : public platform::RandomSource {
public:
    void reseedFromClock() override { ++reseeds; }
    double next() override
    {
        ++draws;
        if (values.empty()) return 0.0;
        const double v = values.front();
        values.pop_front();
        return v;
    }
    std::deque<double> values;
    int reseeds = 0;
    int draws = 0;
};

// The random value that makes a reel start at `symbol` (1 to 5).
inline double drawFor(int symbol) { return (symbol - 1 + 0.5) / 5.0; }

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

    ScriptedRandom* random = nullptr;
    int beeps = 0;
};

}  // namespace testsupport
