// The cost of one spinning tick of the machine window (the counter, the lever and
// the nine reel cells given their pictures and repainted at once), and of one cell
// drawn, on the offscreen platform with the window shown.
//
// The lever is pulled once; every iteration then puts the spin counter back and
// runs the tick handler, so that each measured tick is a spinning tick.
#include "bench_support.h"

#include "machine/machine_window.h"
#include "platform/qt_internal.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QPaintEvent>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>
#include <string>

namespace {

constexpr double tickTargetMs = 0.1;
constexpr int cellsPerTick = 9;

// Ticks 1 to 10 (counter 100): the lever stays down. Ticks 11 to 90 (counter 5000):
// each tick also gives the lever its "up" picture again, as the game does. With
// "fired" 1 the tick runs as the platform's timer runs it: through Timer::fire(),
// inside a handler.
void BM_SpinningTick(benchmark::State& state)
{
    machine::MachineWindow& w = *Form1;
    const long long counter = state.range(0);
    const bool fired = state.range(1) != 0;
    w.Timer1->setInterval(25);
    for (auto _ : state) {
        w.laskuri = counter;
        w.tila = 1;
        if (fired)
            w.Timer1->fire();
        else
            w.Timer1_Timer();
    }
    w.laskuri = 0;
}
BENCHMARK(BM_SpinningTick)
    ->ArgNames({"laskuri", "fired"})
    ->Args({100, 0})
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Unit(benchmark::kMicrosecond);

// One reel cell given the next blurred symbol and repainted: the centre reel's
// middle cell (the larger size) or its top cell (the smaller size).
void BM_OneCell(benchmark::State& state)
{
    machine::MachineWindow& w = *Form1;
    const int cell = static_cast<int>(state.range(0));
    const long long korjaus = cell == 5 ? 0 : 1000;
    const int moving = 0;
    long long kuva = 1000;
    for (auto _ : state) {
        w.lataa_kuva(w.Image(cell), kuva, korjaus, moving);
        kuva = kuva >= 8000 ? 1000 : kuva + 1000;
    }
}
BENCHMARK(BM_OneCell)->ArgName("Image")->Arg(5)->Arg(4)->Unit(benchmark::kMicrosecond);

// The console output with the target and the ratio under each result.
class TargetReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const std::string name = run.benchmark_name();
            const double msPerIteration =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
            const bool cell = name.rfind("BM_One", 0) == 0;
            const double target = cell ? tickTargetMs / cellsPerTick : tickTargetMs;
            char line[256];
            std::snprintf(line, sizeof line, "    -> %.4f ms per %s; target < %.4f ms%s; ratio %.2f: %s\n",
                          msPerIteration, cell ? "cell" : "tick", target,
                          cell ? " (a ninth of the tick's budget)" : "", msPerIteration / target,
                          msPerIteration < target ? "MET" : "MISSED");
            GetOutputStream() << line << std::flush;
        }
    }
};

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Counts the paint events of one spinning tick, to show what a tick repaints.
class PaintCounter final : public QObject {
public:
    struct Painted {
        int events = 0;
        long long pixels = 0;  // the area of the regions painted
    };
    int paints = 0;
    std::vector<std::pair<QWidget*, Painted>> widgets;  // in the order of their first paint

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && receiver->isWidgetType()) {
            ++paints;
            auto* widget = static_cast<QWidget*>(receiver);
            auto found = std::find_if(widgets.begin(), widgets.end(), [widget](const auto& w) { return w.first == widget; });
            if (found == widgets.end()) found = widgets.insert(widgets.end(), {widget, Painted{}});
            Painted& p = found->second;
            ++p.events;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) p.pixels += 1LL * r.width() * r.height();
        }
        return false;
    }
};

// What a widget of the machine window is, for the list of what a tick paints.
std::string describe(QWidget* widget)
{
    machine::MachineWindow& w = *Form1;
    if (widget == platform::qtClientArea(w)) return "client area (background)";
    if (widget == platform::qtWidget(*w.kahva)) return "lever kahva";
    if (widget == platform::qtWidget(*w.Line1)) return "winning line Line1";
    if (widget == platform::qtWidget(*w.Text1)) return "money Text1";
    for (int i = 1; i <= cellsPerTick; ++i)
        if (widget == platform::qtWidget(w.Image(i))) return "reel cell Image" + std::to_string(i);
    return widget->metaObject()->className();
}

}  // namespace

int main(int argc, char** argv)
{
    benchsupport::useOffscreenPlatform();
    if (!benchsupport::enterRepositoryRoot()) return 2;
    benchmark::Initialize(&argc, argv);
    platform::Application application(argc, argv);
    benchsupport::ScriptedRandom& random = benchsupport::scriptRandom();
    platform::setBeepListener([] {});

    Form1->Show();
    settle(300);
    random.starts(1, 2, 3);
    Form1->kahva->click();

    // A first tick makes the pictures' scaled copies, which every later tick reuses, and
    // paints what the pull changed; the next one is counted.
    Form1->Timer1_Timer();
    {
        PaintCounter counter;
        qApp->installEventFilter(&counter);
        Form1->laskuri = 5000;
        Form1->Timer1_Timer();
        qApp->removeEventFilter(&counter);
        std::printf("bench_tick: platform %s; one spinning tick (ticks 11 .. 111) delivers %d paint events to %zu "
                    "widgets:\n",
                    qPrintable(QGuiApplication::platformName()), counter.paints, counter.widgets.size());
        for (const auto& [widget, painted] : counter.widgets) {
            const QRect g = widget->geometry();
            std::printf("  %-26s %3dx%-3d at %3d,%-3d  %2d paint events, %6lld pixels\n", describe(widget).c_str(),
                        g.width(), g.height(), g.x(), g.y(), painted.events, painted.pixels);
        }
        std::printf("\n");
        std::fflush(stdout);
    }

    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
