// What the benchmarks share: the offscreen platform, the working directory with
// data/, scripted reel starts, and the process's memory as /proc reports it.
#pragma once

#include "platform/system.h"
#include "proc_status.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace benchsupport {

// Every benchmark runs on the offscreen platform; call before the application exists.
inline void useOffscreenPlatform() { setenv("QT_QPA_PLATFORM", "offscreen", 1); }

// The game reads its pictures from data/ under the working directory. Run from the
// repository root; from anywhere else the benchmark moves there itself.
inline bool enterRepositoryRoot()
{
    if (access("data/kuva1.bmp", R_OK) == 0) return true;
#ifdef VILKORA_SOURCE_DIR
    if (chdir(VILKORA_SOURCE_DIR) == 0 && access("data/kuva1.bmp", R_OK) == 0) return true;
#endif
    std::fprintf(stderr, "cannot find data/kuva1.bmp: run the benchmark from the repository root\n");
    return false;
}

// Reel starts given by the benchmark; with no value left it gives 0 (symbol 1).
class ScriptedRandom final : public platform::RandomSource {
public:
    void reseedFromClock() override {}
    double next() override
    {
        if (values.empty()) return 0.0;
        const double v = values.front();
        values.pop_front();
        return v;
    }
    // The next pull starts the reels at these symbols (1 to 5).
    void starts(int left, int centre, int right)
    {
        for (int s : {left, centre, right}) values.push_back((s - 1 + 0.5) / 5.0);
    }
    std::deque<double> values;
};

// Installs a scripted source and returns it; the platform owns it.
inline ScriptedRandom& scriptRandom()
{
    auto source = std::make_unique<ScriptedRandom>();
    ScriptedRandom& result = *source;
    platform::setRandomSource(std::move(source));
    return result;
}

}  // namespace benchsupport
