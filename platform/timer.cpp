#include "timer.h"

#include "form.h"

#include <QObject>
#include <QTimer>

namespace platform {

namespace detail {

// The Qt timer that wakes the platform timer when its next tick is due.
class TimerEngine {
public:
    explicit TimerEngine(Timer& owner)
    {
        qtTimer.setSingleShot(true);
        qtTimer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&qtTimer, &QTimer::timeout, [&owner] { owner.tickDue(); });
    }
    QTimer qtTimer;
};

}  // namespace detail

namespace {
bool clockDrivenTimers = true;
// A tick this late is not made up for: the next one is due one interval from now.
constexpr auto givenUpAfter = std::chrono::milliseconds(250);
}  // namespace

void Timer::setClockDriven(bool clockDriven) { clockDrivenTimers = clockDriven; }
bool Timer::clockDriven() { return clockDrivenTimers; }

Timer::Timer(int intervalMs) : interval_(intervalMs), engine_(std::make_unique<detail::TimerEngine>(*this))
{
    armFor(Clock::now() + std::chrono::milliseconds(interval_));
}

Timer::~Timer() { *alive_ = false; }

void Timer::setInterval(int ms)
{
    interval_ = ms;
    if (!inTick_) armFor(Clock::now() + std::chrono::milliseconds(interval_));
}

void Timer::fire()
{
    const auto alive = alive_;  // a tick may unload the timer's window, and the timer with it
    inTick_ = true;
    const auto handler = onTick;
    if (handler) runHandler(handler);
    if (*alive) inTick_ = false;
}

void Timer::tickDue()
{
    // A tick never runs inside another handler; it waits for that handler to end.
    if (handlerRunning()) {
        engine_->qtTimer.start(1);
        return;
    }
    const auto alive = alive_;
    fire();
    if (!*alive) return;  // the tick unloaded the timer's window
    auto next = due_ + std::chrono::milliseconds(interval_);
    const auto now = Clock::now();
    if (now - next > givenUpAfter) next = now + std::chrono::milliseconds(interval_);
    armFor(next);
}

void Timer::armFor(Clock::time_point due)
{
    due_ = due;
    if (!clockDrivenTimers) return;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
    engine_->qtTimer.start(std::max(wait, std::chrono::milliseconds(0)));
}

}  // namespace platform
