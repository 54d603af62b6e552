// Platform services: starting a program and waiting for its end through RunShellCommand
// (command-line splitting, PATH search, the wait) against posix_spawnp and waitpid called
// directly with the arguments already split.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include "zorvane/platform.h"

extern char** environ;

namespace {

void BM_RunShellCommandOfTrueWithWaiting(benchmark::State& state) {
    const RtString line = "true";
    for (auto _ : state) {
        double exitCode = -1;
        if (RunShellCommand(line, 1, 0, exitCode) != 1 || exitCode != 0) {
            state.SkipWithError("true did not run");
            return;
        }
    }
}
BENCHMARK(BM_RunShellCommandOfTrueWithWaiting)->Unit(benchmark::kMicrosecond);

void BM_PosixSpawnpAndWaitpidOfTrue(benchmark::State& state) {
    char program[] = "true";
    char* argv[] = {program, nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("true did not run");
            return;
        }
    }
}
BENCHMARK(BM_PosixSpawnpAndWaitpidOfTrue)->Unit(benchmark::kMicrosecond);

}  // namespace
