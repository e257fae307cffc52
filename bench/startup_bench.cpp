// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// Start-up and peak memory of the game against the yardstick: a Qt Widgets window of the
// game's size showing a line of text and a focused entry box, which pays for Qt's fonts,
// text and cursor as the game does (the bare window is shown for comparison only). The
// programs are started in turns, each timed from just before it is started to its first
// frame, which the preloaded frame_probe reports through a pipe; the probe also reports the
// peak resident size once every picture has been shown. Prints table rows.
//
//   startup_bench [RUNS]    RUNS starts of each program, 15 by default

#include "table.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    double frameMs = 0;
    long peakKb = 0;
};

// The child's environment: ours, with the probe preloaded and told where to write.
std::vector<std::string> childEnvironment(int fd) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view name = *variable;
        if (!name.starts_with("LD_PRELOAD=") && !name.starts_with("QUIVRA_PROBE_FD=") &&
            !name.starts_with("QT_QPA_PLATFORM=")) {
            variables.emplace_back(name);
        }
    }
    variables.emplace_back("LD_PRELOAD=" QUIVRA_FRAME_PROBE);
    variables.emplace_back("QUIVRA_PROBE_FD=" + std::to_string(fd));
    variables.emplace_back("QT_QPA_PLATFORM=offscreen");
    return variables;
}

// The next line from `fd`, or nothing when none comes within the time-out: a program
// that never shows its window must not hang the benchmark.
std::optional<std::string> readLine(int fd) {
    constexpr int kTimeoutMs = 30'000;
    std::string line;
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, kTimeoutMs) <= 0) {
            return std::nullopt;
        }
        char c = 0;
        if (::read(fd, &c, 1) != 1) {
            return std::nullopt;
        }
        if (c == '\n') {
            return line;
        }
        line += c;
    }
}

struct Program {
    const char* path;
    const char* argument; // or nullptr
};

std::optional<Sample> startOnce(const Program& started) {
    const char* program = started.path;
    int ends[2];
    if (::pipe(ends) != 0) {
        return std::nullopt;
    }
    ::fcntl(ends[0], F_SETFD, FD_CLOEXEC);
    std::vector<std::string> variables = childEnvironment(ends[1]);
    std::vector<char*> envp;
    envp.reserve(variables.size() + 1);
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    std::string name = program;
    std::string argument = started.argument != nullptr ? started.argument : "";
    char* argv[] = {name.data(), started.argument != nullptr ? argument.data() : nullptr, nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (spawned != 0) {
        ::close(ends[0]);
        std::fprintf(stderr, "startup_bench: cannot start %s: %s\n", program,
                     std::strerror(spawned));
        return std::nullopt;
    }

    std::optional<Sample> sample;
    if (readLine(ends[0]) == "frame") {
        const auto frame = std::chrono::steady_clock::now();
        Sample taken;
        taken.frameMs = std::chrono::duration<double, std::milli>(frame - start).count();
        const std::optional<std::string> peak = readLine(ends[0]);
        if (peak && std::sscanf(peak->c_str(), "hwm %ld", &taken.peakKb) == 1) {
            sample = taken;
        }
    }
    ::close(ends[0]);
    if (!sample) {
        ::kill(child, SIGKILL);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!sample || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup_bench: %s showed no frame or failed\n", program);
        return std::nullopt;
    }
    return sample;
}

template <typename T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// What the game may add on top of the toolkit: milliseconds of start-up, and a share of
// memory besides its pictures.
constexpr double kStartGoalMs = 10;
constexpr double kMemoryGoal = 1.2;
// The seven pictures as the probe has them decoded by then, at 1x, four bytes a pixel:
// six of 421 x 221 and one of 438 x 230.
constexpr double kPicturesKb = (6.0 * 421 * 221 + 438.0 * 230) * 4 / 1024;

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    enum { kGame, kBare, kText, kCount };
    const Program programs[kCount] = {{QUIVRA_GAME, nullptr},
                                      {QUIVRA_MINIMAL_WINDOW, nullptr},
                                      {QUIVRA_MINIMAL_WINDOW, "--text"}};
    // One start of each first, not counted, so all find the libraries in the page cache.
    for (const Program& program : programs) {
        if (!startOnce(program)) {
            return 1;
        }
    }
    std::vector<double> frameMs[kCount];
    std::vector<long> peakKb[kCount];
    for (int run = 0; run < runs; ++run) {
        for (int which = 0; which < kCount; ++which) {
            const std::optional<Sample> sample = startOnce(programs[which]);
            if (!sample) {
                return 1;
            }
            frameMs[which].push_back(sample->frameMs);
            peakKb[which].push_back(sample->peakKb);
        }
    }

    const double ms[kCount] = {median(frameMs[kGame]), median(frameMs[kBare]),
                               median(frameMs[kText])};
    const double addedMs = ms[kGame] - ms[kText];
    const std::string runsNote = " (median of " + std::to_string(runs) + ")";
    printRow("Start-up to first frame, bare window" + runsNote, formatted("%.1f ms", ms[kBare]),
             "-", "-");
    printRow("Start-up to first frame, yardstick (text + entry)", formatted("%.1f ms", ms[kText]),
             "-", "-");
    printRow("Start-up to first frame, game", formatted("%.1f ms", ms[kGame]), "-", "-");
    printRow("Start-up, game - yardstick", formatted("%.1f ms", addedMs),
             formatted("<= %.0f ms", kStartGoalMs), verdict(addedMs <= kStartGoalMs));

    double mib[kCount];
    for (int which = 0; which < kCount; ++which) {
        mib[which] = static_cast<double>(median(peakKb[which])) / 1024;
    }
    const double picturesMiB = kPicturesKb / 1024;
    const double allowedMiB = kMemoryGoal * mib[kText] + picturesMiB;
    printRow("Peak memory (VmHWM), bare window", formatted("%.1f MiB", mib[kBare]), "-", "-");
    printRow("Peak memory (VmHWM), yardstick", formatted("%.1f MiB", mib[kText]), "-", "-");
    printRow("Peak memory (VmHWM), game, every picture shown", formatted("%.1f MiB", mib[kGame]),
             formatted("<= 1.2 x %.1f + %.1f = %.1f MiB", mib[kText], picturesMiB, allowedMiB),
             verdict(mib[kGame] <= allowedMiB));
    return addedMs <= kStartGoalMs && mib[kGame] <= allowedMiB ? 0 : 1;
}
