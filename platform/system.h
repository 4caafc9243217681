// Small services of the platform: the run-time error, numbers as text, the beep
// and the random numbers.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace platform {

// A failing platform operation. Nothing in the game catches it: the platform
// reports it and ends the program.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints one line on stderr, shows a message box where a display is present,
// and ends the program with a non-zero status.
[[noreturn]] void reportRuntimeError(const std::string& what);

// A whole number as plain decimal text: digits, a leading minus when negative.
std::string numberText(long long value);

// The system beep.
void Beep();
// Tests listen to the beep instead of hearing it; an empty function restores it.
void setBeepListener(std::function<void()> listener);

// Random numbers.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseedFromClock() = 0;
    virtual double next() = 0;  // uniform in [0, 1)
};

// Re-seeds the generator from the system clock.
void Randomize();
// The next random value, uniform in [0, 1).
double Rnd();
// Replaces the generator (tests script the values); nullptr restores the clock-seeded one.
void setRandomSource(std::unique_ptr<RandomSource> source);

}  // namespace platform
