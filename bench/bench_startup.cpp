// Start-up time and peak memory of the game against the floor, side by side in one run.
//
// Each run starts a child process: the game as main.cpp starts it, or the minimal Qt
// window of minimal_window.cpp, both on the offscreen platform. The time runs from
// just before the process is spawned to the moment its "client-painted" line arrives
// (the first paint event of the window's client area has been handled); the whole
// first frame ("frame-painted") is shown beside it. The child ends right after its
// first frame, and its peak resident memory is the ru_maxrss that wait4 reports.
// The two programs take turns, the order swapped every round; medians are compared.
//
//   bench_startup [rounds]     (default 31; run from the repository root)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double timeTarget = 1.25;
constexpr double memoryTarget = 1.15;

struct Sample {
    double clientMs = 0;  // spawn -> client area painted
    double frameMs = 0;   // spawn -> first frame painted
    long maxRssKb = 0;    // the child's peak resident memory (wait4)
    long hwmKb = 0;       // VmHWM as the child read it at its first frame
    double cpuMs = 0;     // the child's user and system time, to its end right after the frame
};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::optional<Sample> runOnce(const char* program)
{
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    // The child's messages are kept aside and shown only when it fails.
    FILE* errors = std::tmpfile();
    if (errors) posix_spawn_file_actions_adddup2(&actions, fileno(errors), STDERR_FILENO);
    char* argv[] = {const_cast<char*>(program), nullptr};

    const auto started = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", program, std::strerror(spawned));
        close(out[0]);
        if (errors) std::fclose(errors);
        return std::nullopt;
    }

    Sample sample;
    bool client = false, frame = false;
    std::string pending;
    const auto deadline = started + std::chrono::seconds(30);
    while (!frame && Clock::now() < deadline) {
        pollfd p{out[0], POLLIN, 0};
        const int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        if (poll(&p, 1, std::max(left, 1)) <= 0) continue;
        char buffer[512];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        const auto now = Clock::now();
        if (n <= 0) break;  // the child ended without a frame
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            const std::string line = pending.substr(0, end);
            if (line == "client-painted") {
                client = true;
                sample.clientMs = ms(now - started);
            } else if (line.rfind("frame-painted", 0) == 0) {
                frame = true;
                sample.frameMs = ms(now - started);
                if (const auto at = line.find("hwm="); at != std::string::npos)
                    sample.hwmKb = std::strtol(line.c_str() + at + 4, nullptr, 10);
            }
        }
    }
    close(out[0]);
    if (!frame) kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!client || !frame) {
        std::fprintf(stderr, "%s: no first paint reported (status %d); it said:\n", program, status);
        if (errors) {
            std::rewind(errors);
            char text[512];
            while (std::fgets(text, sizeof text, errors)) std::fputs(text, stderr);
            std::fclose(errors);
        }
        return std::nullopt;
    }
    if (errors) std::fclose(errors);
    sample.maxRssKb = usage.ru_maxrss;
    sample.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return sample;
}

template <class F>
double median(const std::vector<Sample>& samples, F field)
{
    std::vector<double> v;
    for (const Sample& s : samples) v.push_back(static_cast<double>(field(s)));
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    if (access("data/kuva1.bmp", R_OK) != 0) {
#ifdef VILKORA_SOURCE_DIR
        if (chdir(VILKORA_SOURCE_DIR) != 0 || access("data/kuva1.bmp", R_OK) != 0)
#endif
        {
            std::fprintf(stderr, "cannot find data/kuva1.bmp: run the benchmark from the repository root\n");
            return 2;
        }
    }
    const char* game = VILKORA_STARTUP_GAME;
    const char* floor = VILKORA_STARTUP_MINIMAL;

    std::printf("bench_startup: process start -> first painted window, offscreen platform, %d rounds\n", rounds);
    std::printf("  game:  %s\n  floor: %s\n\n", game, floor);
    // One untimed round brings both programs and their libraries into the page cache.
    if (!runOnce(game) || !runOnce(floor)) return 1;

    std::vector<Sample> games, floors;
    std::printf("  round   game: client   frame     cpu   peak kB  |  floor: client   frame     cpu   peak kB\n");
    for (int round = 1; round <= rounds; ++round) {
        std::optional<Sample> g, f;
        if (round % 2) {
            g = runOnce(game);
            f = runOnce(floor);
        } else {
            f = runOnce(floor);
            g = runOnce(game);
        }
        if (!g || !f) return 1;
        games.push_back(*g);
        floors.push_back(*f);
        std::printf("  %5d   %12.2f %7.2f %7.2f %9ld  |  %13.2f %7.2f %7.2f %9ld\n", round, g->clientMs, g->frameMs,
                    g->cpuMs, g->maxRssKb, f->clientMs, f->frameMs, f->cpuMs, f->maxRssKb);
    }

    const auto client = [](const Sample& s) { return s.clientMs; };
    const auto frame = [](const Sample& s) { return s.frameMs; };
    const auto peak = [](const Sample& s) { return s.maxRssKb; };
    const auto hwm = [](const Sample& s) { return s.hwmKb; };
    const auto cpu = [](const Sample& s) { return s.cpuMs; };
    const double gClient = median(games, client), fClient = median(floors, client);
    const double gFrame = median(games, frame), fFrame = median(floors, frame);
    const double gPeak = median(games, peak), fPeak = median(floors, peak);
    const double gHwm = median(games, hwm), fHwm = median(floors, hwm);
    const double gCpu = median(games, cpu), fCpu = median(floors, cpu);

    // The two programs of a round ran back to back under the same load: the median of
    // the rounds' own ratios is steadier than the ratio of the medians on a busy machine.
    std::vector<Sample> paired;
    for (std::size_t i = 0; i < games.size(); ++i)
        paired.push_back({games[i].clientMs / floors[i].clientMs, games[i].frameMs / floors[i].frameMs,
                          0, 0, games[i].cpuMs / floors[i].cpuMs});

    std::printf("\nmedians                    game      floor     ratio   (median of the rounds' ratios)\n");
    std::printf("  client area painted  %8.2f ms %8.2f ms   %.3f   (%.3f)   target <= %.2f: %s\n", gClient, fClient,
                gClient / fClient, median(paired, client), timeTarget,
                gClient / fClient <= timeTarget ? "MET" : "MISSED");
    std::printf("  whole first frame    %8.2f ms %8.2f ms   %.3f   (%.3f)   target <= %.2f: %s\n", gFrame, fFrame,
                gFrame / fFrame, median(paired, frame), timeTarget, gFrame / fFrame <= timeTarget ? "MET" : "MISSED");
    std::printf("  CPU time (user+sys)  %8.2f ms %8.2f ms   %.3f   (%.3f)\n", gCpu, fCpu, gCpu / fCpu,
                median(paired, cpu));
    std::printf("  peak resident        %8.0f kB %8.0f kB   %.3f   target <= %.2f: %s\n", gPeak, fPeak,
                gPeak / fPeak, memoryTarget, gPeak / fPeak <= memoryTarget ? "MET" : "MISSED");
    std::printf("  VmHWM at first frame %8.0f kB %8.0f kB   %.3f\n", gHwm, fHwm, gHwm / fHwm);
    return 0;
}
