// Memory over many trips to the help window and back, on the offscreen platform
// with the real clock and the real event loop.
//
// A trip is what a player does: Help in the machine window's menu (the machine
// window unloads and the help window shows modally), then "Close window" (the help
// window unloads, the machine window loads again and the help window object is let
// go). The close is posted before the menu click, so it runs inside the help
// window's modal loop. Between trips the main event loop runs, as it does between
// a player's clicks.
//
//   bench_help_memory [trips] [warm-up trips]     (default 500 and 100)
//
// The warm-up lets malloc reach the most it holds from the system for a trip (each
// load makes and frees its eighteen pictures): before that, VmRSS still climbs
// by a megabyte or so without any leak.
#include "bench_support.h"

#include "helpwindow/help_window.h"
#include "machine/machine_window.h"
#include "platform/qt_internal.h"

#include <QApplication>
#include <QTimer>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double growthTargetKb = 1024;

struct Reading {
    long rssKb = 0;
    long long heapInUse = 0;  // bytes handed out by malloc
    long long heapHeld = 0;   // bytes malloc holds from the system
    int widgets = 0;
};

Reading read()
{
    const struct mallinfo2 m = mallinfo2();
    return {benchsupport::statusKb("VmRSS"), static_cast<long long>(m.uordblks + m.hblkhd),
            static_cast<long long>(m.arena + m.hblkhd), static_cast<int>(QApplication::allWidgets().size())};
}

void print(const char* what, int trips, const Reading& r)
{
    std::printf("  %-18s %4d trips: VmRSS %7ld kB   heap in use %9.1f kB   heap held %9.1f kB   widgets %d\n", what,
                trips, r.rssKb, r.heapInUse / 1024.0, r.heapHeld / 1024.0, r.widgets);
    std::fflush(stdout);
}

class Driver {
public:
    Driver(int trips, int warmUp) : total_(warmUp + trips), warmUp_(warmUp) {}

    void start() { QTimer::singleShot(0, [this] { trip(); }); }
    bool failed() const { return failed_; }
    Reading before, after;
    double tripMs = 0;

private:
    void trip()
    {
        QTimer::singleShot(0, [this] {
            if (Form2.empty() || !Form2->Command1) {
                fail("the help window was not open when its close button was to be clicked");
                return;
            }
            Form2->Command1->click();
        });
        Form1->clickMenu(1);  // Help
        ++done_;
        if (!Form1->loaded() || !Form1->visible() || !Form2.empty()) {
            fail("the machine window did not come back as it should");
            return;
        }
        if (done_ == warmUp_) {
            measureLater([this] {
                before = read();
                print("after warm-up", done_, before);
                started_ = Clock::now();
                QTimer::singleShot(0, [this] { trip(); });
            });
        } else if (done_ == total_) {
            const auto elapsed = Clock::now() - started_ - pauses_;
            measureLater([this, elapsed] {
                tripMs = std::chrono::duration<double, std::milli>(elapsed).count() / (total_ - warmUp_);
                after = read();
                print("at the end", done_, after);
                QCoreApplication::exit(0);
            });
        } else if (done_ > warmUp_ && (done_ - warmUp_) % 100 == 0) {
            measureLater([this] {
                print("", done_, read());
                QTimer::singleShot(0, [this] { trip(); });
            });
        } else {
            QTimer::singleShot(0, [this] { trip(); });
        }
    }

    // Lets the event loop run (deferred deletions, timers) before a reading; the pause
    // is not counted in the time of a trip.
    void measureLater(std::function<void()> then)
    {
        const auto paused = Clock::now();
        QTimer::singleShot(300, [this, paused, then = std::move(then)] {
            if (done_ > warmUp_) pauses_ += Clock::now() - paused;
            then();
        });
    }

    void fail(const char* why)
    {
        std::printf("bench_help_memory: %s (trip %d)\n", why, done_ + 1);
        failed_ = true;
        QCoreApplication::exit(1);
    }

    int total_;
    int warmUp_;
    int done_ = 0;
    bool failed_ = false;
    Clock::time_point started_;
    Clock::duration pauses_{};
};

}  // namespace

int main(int argc, char** argv)
{
    const int trips = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const int warmUp = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
    benchsupport::useOffscreenPlatform();
    if (!benchsupport::enterRepositoryRoot()) return 2;
    platform::Application application(argc, argv);
    platform::setBeepListener([] {});

    std::printf("bench_help_memory: %d trips Help -> Close window after %d to warm up (platform %s)\n", trips, warmUp,
                qPrintable(QGuiApplication::platformName()));
    Driver driver(trips, warmUp);
    const int status = application.run([&driver] {
        Form1->Show();
        driver.start();
    });
    if (status != 0 || driver.failed()) return 1;

    const long growth = driver.after.rssKb - driver.before.rssKb;
    const double heapGrowth = (driver.after.heapInUse - driver.before.heapInUse) / 1024.0;
    std::printf("\n  VmRSS growth over %d trips: %ld kB (%.2f kB a trip)   target < %.0f kB: %s\n", trips, growth,
                static_cast<double>(growth) / trips, growthTargetKb, growth < growthTargetKb ? "MET" : "MISSED");
    std::printf("  heap in use growth: %.1f kB (%.3f kB a trip); widgets %d -> %d\n", heapGrowth, heapGrowth / trips,
                driver.before.widgets, driver.after.widgets);
    std::printf("  one trip takes %.2f ms\n", driver.tripMs);
    malloc_trim(0);
    std::printf("  VmRSS after giving free heap back to the system (malloc_trim): %ld kB\n",
                benchsupport::statusKb("VmRSS"));
    return 0;
}
