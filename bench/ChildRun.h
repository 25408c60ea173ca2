// Runs the measured part of a benchmark in a child process, so that the peak memory reported is that
// part's alone.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

namespace plenvik::bench {

struct ChildRun {
    double seconds = 0;
    double peakMegabytes = 0;  // the child's peak resident set
};

// Empty when the child did not end with status 0.
inline std::optional<ChildRun> runInChild(const std::function<int()>& work) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        const int code = work();
        std::fflush(stdout);
        std::_Exit(code);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the measured process ended with status %d\n", status);
        return std::nullopt;
    }
    ChildRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return run;
}

}  // namespace plenvik::bench
