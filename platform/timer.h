// A periodic timer of a window. It ticks from the window's load until its unload,
// each tick an event on the user-interface thread that never runs inside another
// handler. Ticks follow due times: each next tick is due one interval after the
// previous one was due, so a spin keeps its nominal length.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace platform {

namespace detail {
class TimerEngine;
}

class Timer {
public:
    explicit Timer(int intervalMs);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int interval() const { return interval_; }
    // A new interval applies from the next tick: set inside a tick, the next tick is
    // due that long after this one was due; set elsewhere, that long from now.
    void setInterval(int ms);

    std::function<void()> onTick;
    // Runs one tick now, as the clock would. Tests drive time with it.
    void fire();

    // Whether timers follow the real clock (the game) or tick only when fired (tests).
    static void setClockDriven(bool clockDriven);
    static bool clockDriven();

private:
    friend class detail::TimerEngine;
    using Clock = std::chrono::steady_clock;
    void tickDue();
    void armFor(Clock::time_point due);

    int interval_;
    bool inTick_ = false;
    Clock::time_point due_;      // when the running or next tick is due
    std::unique_ptr<detail::TimerEngine> engine_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // false once destroyed
};

}  // namespace platform
