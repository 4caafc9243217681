#include "system.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace platform {

void reportRuntimeError(const std::string& what)
{
    std::fprintf(stderr, "vilkora: run-time error: %s\n", what.c_str());
    std::fflush(stderr);
    // A message box only where a person can see it; never on the offscreen platform.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        const QString platformName = QGuiApplication::platformName();
        if (platformName == QLatin1String("xcb") || platformName == QLatin1String("wayland"))
            QMessageBox::critical(nullptr, QStringLiteral("Vilkora"),
                                  QStringLiteral("Run-time error:\n") + QString::fromStdString(what));
    }
    // Nothing of the game is kept on disk, so nothing needs saving on the way out.
    std::_Exit(1);
}

std::string numberText(long long value) { return std::to_string(value); }

namespace {

std::function<void()>& beepListener()
{
    static std::function<void()> listener;
    return listener;
}

std::uint64_t splitMix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Re-seeding mixes the clock into the current state, so that re-seeds in quick
// succession, even within one tick of the clock, still give unrelated values.
class ClockSeededRandom final : public RandomSource {
public:
    void reseedFromClock() override
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        state_ = splitMix(state_ ^ splitMix(static_cast<std::uint64_t>(now)));
    }
    double next() override
    {
        state_ = splitMix(state_);
        return static_cast<double>(state_ >> 11) * 0x1.0p-53;
    }

private:
    std::uint64_t state_ = 0x853C49E6748FEA9BULL;
};

std::unique_ptr<RandomSource>& randomSource()
{
    static std::unique_ptr<RandomSource> source = std::make_unique<ClockSeededRandom>();
    return source;
}

}  // namespace

void Beep()
{
    if (beepListener())
        beepListener()();
    else
        QApplication::beep();
}

void setBeepListener(std::function<void()> listener) { beepListener() = std::move(listener); }

void Randomize() { randomSource()->reseedFromClock(); }
double Rnd() { return randomSource()->next(); }

void setRandomSource(std::unique_ptr<RandomSource> source)
{
    randomSource() = source ? std::move(source) : std::make_unique<ClockSeededRandom>();
}

}  // namespace platform
