// A winning round in a real window: the reels are scripted to start at 5, 3 and 1,
// the ticks are fired by hand, and the screen itself is read back after the first
// two payout steps. The first step puts the lights out (chart row 1 and both
// arrows hidden), the second lights them (row 1 and both arrows shown, over the
// painted triangles). Screenshots of both steps are kept for a person to look at.
//
//   vilkora_win_lights OUTPUT_DIR     (run from the repository root, on a display)
#include "machine/machine_window.h"
#include "platform/qt_internal.h"
#include "platform/system.h"
#include "platform/timer.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <cstdio>
#include <deque>
#include <string>

namespace {

// The starts 5, 3 and 1: the one triple whose middle row stops on three 8s.
class WinningStarts final : public platform::RandomSource {
public:
    void reseedFromClock() override {}
    double next() override
    {
        const double v = values.empty() ? 0.0 : values.front();
        if (!values.empty()) values.pop_front();
        return v;
    }
    std::deque<double> values{0.9, 0.5, 0.1};
};

// Places in the client area, in pixels.
const QRect leftArrow(137, 352, 31, 32);
const QRect rightArrow(413, 352, 31, 32);
const QRect chartRowOne(184, 136, 105, 17);  // its three symbols and its amount

int failures = 0;

void check(bool condition, const std::string& what)
{
    std::printf("%s: %s\n", condition ? "ok" : "FAIL", what.c_str());
    if (!condition) ++failures;
}

// Brings the screen up to date with what the last handler changed: the window's
// pending paints are handled and flushed, and the display server has taken them.
void settle()
{
    QWindow* window = platform::qtWidget(*Form1)->windowHandle();
    for (int round = 0; round < 50 && !(window && window->isExposed()); ++round) {
        QGuiApplication::sync();
        QCoreApplication::processEvents();
    }
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QGuiApplication::sync();
    }
}

// The client area as the screen shows it.
QImage screenOfClient()
{
    QWidget* client = platform::qtClientArea(*Form1);
    const QPoint origin = client->mapToGlobal(QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, origin.x(), origin.y(), client->width(), client->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// How many pixels of `area` differ between two screenshots.
int changedPixels(const QImage& a, const QImage& b, const QRect& area)
{
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) changed += a.pixel(x, y) != b.pixel(x, y);
    return changed;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vilkora_win_lights OUTPUT_DIR\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    platform::Timer::setClockDriven(false);
    platform::Application application(argc, argv);
    platform::setRandomSource(std::make_unique<WinningStarts>());
    platform::setBeepListener([] {});

    machine::MachineWindow& machine = *Form1;
    machine.Show();
    settle();
    const QImage atRest = screenOfClient();

    machine.kahva->click();
    for (int tick = 1; tick <= 112; ++tick) machine.Timer1->fire();
    settle();
    const QImage off = screenOfClient();
    off.save(output + "/win-1-lights-off.png");
    check(machine.voittorivi == 1 && machine.rahat == 109, "tick 112 finds row 1 and pays its first 10 credits");

    machine.Timer1->fire();
    settle();
    const QImage on = screenOfClient();
    on.save(output + "/win-2-lights-on.png");
    check(machine.rahat == 119, "the next tick pays 10 more");

    const int area = chartRowOne.width() * chartRowOne.height();
    check(changedPixels(atRest, off, chartRowOne) > area / 4, "the off step hides chart row 1");
    check(changedPixels(atRest, off, leftArrow) == 0 && changedPixels(atRest, off, rightArrow) == 0,
          "the off step leaves the painted triangles bare");
    check(changedPixels(atRest, on, chartRowOne) == 0, "the on step shows chart row 1 as it stood");
    check(changedPixels(atRest, on, leftArrow) > 100 && changedPixels(atRest, on, rightArrow) > 100,
          "the on step lights both arrows over the triangles");

    for (int tick = 0; tick < 49 && machine.tila != 0; ++tick) machine.Timer1->fire();
    settle();
    check(machine.tila == 0 && machine.rahat == 599, "the round ends with the whole 500 paid");
    check(changedPixels(atRest, screenOfClient(), chartRowOne) == 0, "at the end row 1 is shown again");

    Form1->Unload();
    return failures == 0 ? 0 : 1;
}
