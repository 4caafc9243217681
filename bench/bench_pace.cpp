// The pace of a round on the real clock and the real Qt event loop, with the
// machine window shown on the offscreen platform.
//
// A spin: the pull arms the timer at 25 ms and every spinning tick adds 1 ms, so
// tick 112, the last spinning tick and the evaluation, is due 25 + 26 + ... + 136 =
// 9016 ms after the pull. A won round then pays at 200 ms a tick: tick 162, which
// ends the round, is due 50 × 200 = 10 000 ms after tick 112.
//
// Each tick is timestamped right after the game has handled it: an event filter on
// the application runs the game timer's Qt timer event itself and reads the clock
// as soon as it returns. The game's code is not touched.
#include "bench_support.h"

#include "machine/machine_window.h"
#include "platform/qt_internal.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int spins = 5;
constexpr int evaluationTick = 112;
constexpr int endOfPayoutTick = 162;
constexpr double spinTargetRatio = 1.002;
constexpr double payoutTolerance = 0.005;
constexpr int payoutInterval = 200;

// When tick k (1 = the first after the pull) is due, in ms after the pull.
double spinDue(int k) { return 25.0 * k + k * (k - 1) / 2.0; }

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct TickRecord {
    Clock::time_point handled;
    long long laskuri;
    int tila;
    long long rahat;
};

// Runs each tick of the game's timer (a precise single-shot Qt timer inside
// platform::Timer) and timestamps it as soon as the game has handled it.
class TickRecorder final : public QObject {
public:
    std::vector<TickRecord> ticks;
    std::function<bool(const std::vector<TickRecord>&)> finished;
    QEventLoop* loop = nullptr;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!loop || event->type() != QEvent::Timer) return false;
        auto* timer = qobject_cast<QTimer*>(receiver);
        if (!timer || timer->timerType() != Qt::PreciseTimer ||
            static_cast<QTimerEvent*>(event)->timerId() != timer->timerId())
            return false;
        receiver->event(event);  // the tick
        const auto handled = Clock::now();
        const machine::MachineWindow& w = *Form1;
        ticks.push_back({handled, w.laskuri, w.tila, w.rahat});
        if (finished && finished(ticks)) loop->quit();
        return true;
    }
};

// Lets the event loop run for a while with nothing recorded.
void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Pulls the lever and runs the event loop until `finished` says so. Returns the
// time of the pull, or nothing if the round did not get there within the limit.
std::optional<Clock::time_point> pullAndPlay(TickRecorder& recorder,
                                             std::function<bool(const std::vector<TickRecord>&)> finished)
{
    QEventLoop loop;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    watchdog.start(40'000);

    recorder.ticks.clear();
    recorder.ticks.reserve(256);
    recorder.finished = std::move(finished);
    recorder.loop = &loop;
    const auto pulled = Clock::now();
    Form1->kahva->click();
    const int status = loop.exec();
    recorder.loop = nullptr;
    if (status != 0) return std::nullopt;
    return pulled;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Checks that the recorded ticks are the game's ticks: tick k of a spin leaves the
// counter at 100 k.
bool spinTicksConsistent(const std::vector<TickRecord>& ticks)
{
    if (ticks.size() < evaluationTick) return false;
    for (int k = 1; k <= evaluationTick; ++k)
        if (ticks[k - 1].laskuri != 100LL * k && !(k == evaluationTick && ticks[k - 1].laskuri == 0)) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    benchsupport::useOffscreenPlatform();
    if (!benchsupport::enterRepositoryRoot()) return 2;
    platform::Application application(argc, argv);
    benchsupport::ScriptedRandom& random = benchsupport::scriptRandom();
    platform::setBeepListener([] {});

    Form1->Show();
    TickRecorder recorder;
    qApp->installEventFilter(&recorder);
    settle(300);

    std::printf("bench_pace: rounds on the real clock and the Qt event loop (platform %s, window shown)\n\n",
                qPrintable(QGuiApplication::platformName()));

    // Losing spins: the round ends on tick 112.
    std::printf("spin: pull -> tick 112, nominal %.0f ms\n", spinDue(evaluationTick));
    std::vector<double> durations;
    bool consistent = true;
    for (int spin = 1; spin <= spins; ++spin) {
        settle(150);
        random.starts(1, 2, 3);
        const auto pulled = pullAndPlay(recorder, [](const std::vector<TickRecord>& t) {
            return t.back().laskuri >= 11200 || (t.size() >= evaluationTick && t.back().tila == 0);
        });
        if (!pulled) {
            std::printf("  spin %d: the round did not reach tick 112 within 40 s\n", spin);
            return 1;
        }
        const auto& ticks = recorder.ticks;
        consistent = consistent && spinTicksConsistent(ticks) && ticks.size() == evaluationTick;
        double worstLate = -1e9, worstEarly = 1e9;
        for (int k = 1; k <= static_cast<int>(ticks.size()); ++k) {
            const double late = ms(ticks[k - 1].handled - *pulled) - spinDue(k);
            worstLate = std::max(worstLate, late);
            worstEarly = std::min(worstEarly, late);
        }
        const double d = ms(ticks.back().handled - *pulled);
        durations.push_back(d);
        std::printf("  spin %d: %9.2f ms  ratio %.5f  (%zu ticks, each handled %+.2f .. %+.2f ms from its due time)\n",
                    spin, d, d / spinDue(evaluationTick), ticks.size(), worstEarly, worstLate);
    }
    const double lo = *std::min_element(durations.begin(), durations.end());
    const double hi = *std::max_element(durations.begin(), durations.end());
    const double med = median(durations);
    const double worstRatio = hi / spinDue(evaluationTick);
    std::printf("  min %.2f  median %.2f  max %.2f ms\n", lo, med, hi);
    std::printf("  ratio against %.0f ms: min %.5f  median %.5f  max %.5f   target <= %.3f (judged on the max): %s\n",
                spinDue(evaluationTick), lo / spinDue(evaluationTick), med / spinDue(evaluationTick), worstRatio,
                spinTargetRatio, worstRatio <= spinTargetRatio ? "MET" : "MISSED");
    if (!consistent) std::printf("  WARNING: the ticks seen were not the game's 112 spinning ticks\n");

    // A won round: starts 5, 3, 1 at bet 1 pay row 1 (500) in 50 steps of 10.
    std::printf("\nwon round (starts 5, 3, 1, bet %d): ticks 112 .. 162 at a nominal %d ms\n", Form1->bet, payoutInterval);
    settle(150);
    const long long moneyBefore = Form1->rahat;
    random.starts(5, 3, 1);
    const auto pulled = pullAndPlay(recorder, [](const std::vector<TickRecord>& t) {
        return t.size() > evaluationTick && t.back().tila == 0;
    });
    if (!pulled) {
        std::printf("  the won round did not end within 40 s\n");
        return 1;
    }
    const auto& ticks = recorder.ticks;
    const bool roundAsExpected = ticks.size() == endOfPayoutTick && spinTicksConsistent(ticks) &&
                                 ticks[evaluationTick - 1].tila == 2 && Form1->rahat == moneyBefore - 1 + 500;
    const int intervals = endOfPayoutTick - evaluationTick;
    const double payout = ms(ticks.back().handled - ticks[evaluationTick - 1].handled);
    const double mean = payout / intervals;
    double shortest = 1e9, longest = 0;
    for (int k = evaluationTick + 1; k <= static_cast<int>(ticks.size()); ++k) {
        const double step = ms(ticks[k - 1].handled - ticks[k - 2].handled);
        shortest = std::min(shortest, step);
        longest = std::max(longest, step);
    }
    const double ratio = mean / payoutInterval;
    std::printf("  pull -> tick 112: %.2f ms (ratio %.5f)\n", ms(ticks[evaluationTick - 1].handled - *pulled),
                ms(ticks[evaluationTick - 1].handled - *pulled) / spinDue(evaluationTick));
    std::printf("  tick 112 -> tick 162: %.2f ms over %d intervals (nominal %d ms)\n", payout, intervals,
                intervals * payoutInterval);
    std::printf("  interval: mean %.3f ms  shortest %.2f  longest %.2f\n", mean, shortest, longest);
    std::printf("  ratio against %d ms: %.5f   target %.3f .. %.3f: %s\n", payoutInterval, ratio, 1 - payoutTolerance,
                1 + payoutTolerance, std::abs(ratio - 1) <= payoutTolerance ? "MET" : "MISSED");
    if (!roundAsExpected)
        std::printf("  WARNING: the round was not the expected win (%zu ticks, money %lld -> %lld)\n", ticks.size(),
                    moneyBefore, Form1->rahat);

    qApp->removeEventFilter(&recorder);
    return 0;
}
