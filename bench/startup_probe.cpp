#include "startup_probe.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "children/loop_report.h"

extern char** environ;

namespace zrv::bench {

namespace {

std::vector<Swap> ReadSwaps(const std::string& path, double start) {
    std::vector<Swap> swaps;
    std::ifstream in(path);
    Swap swap{};
    while (in >> swap.ms >> swap.width >> swap.height) {
        swap.ms -= start;
        swaps.push_back(swap);
    }
    return swaps;
}

double ResidentMiBOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return static_cast<double>(std::atol(line.c_str() + 6)) / 1024.0;
    }
    return -1;
}

void Stop(pid_t child) {
    kill(child, SIGTERM);
    int status = 0;
    for (int i = 0; i < 500 && waitpid(child, &status, WNOHANG) == 0; ++i) usleep(10000);
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
}

StartupRun RunIn(const std::filesystem::path& folder, const StartupOptions& options) {
    const std::string log = (folder / "swaps.txt").string();
    std::vector<std::string> variables;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("LD_PRELOAD=", 0) != 0 && entry.rfind("TMPDIR=", 0) != 0) variables.push_back(entry);
    }
    variables.push_back(std::string("LD_PRELOAD=") + ZRV_SWAP_LOG_LIBRARY);
    variables.push_back("ZRV_SWAP_LOG=" + log);
    // The runtime's log and temporary files go to the fresh folder, not to an earlier run's.
    variables.push_back("TMPDIR=" + folder.string());
    variables.push_back("ZRV_NO_WARNING_BOX=1");
    std::vector<char*> envp;
    for (std::string& v : variables) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<std::string> words{options.program};
    words.insert(words.end(), options.args.begin(), options.args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    // What the program prints at start-up is not the benchmark's output.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    StartupRun run;
    pid_t child = 0;
    const double start = MonotonicMs();
    const int failed = posix_spawn(&child, options.program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return run;

    const double deadline = start + 60 * 1000.0;
    while (MonotonicMs() < deadline && !run.presented) {
        run.swaps = ReadSwaps(log, start);
        run.presented = options.presented(run.swaps);
        if (!run.presented) usleep(2000);
    }
    if (run.presented && options.residentAtMs > 0) {
        const double due = start + options.residentAtMs;
        while (MonotonicMs() < due) usleep(5000);
        run.residentMiB = ResidentMiBOf(child);
    }
    Stop(child);
    return run;
}

}  // namespace

StartupRun RunStartup(const StartupOptions& options) {
    // A fresh, empty start folder each time: no start-up tune, nothing cached.
    char pattern[] = "/tmp/zrv-startup.XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) return {};
    const std::filesystem::path folder = made;
    StartupRun run = RunIn(folder, options);
    std::filesystem::remove_all(folder);
    return run;
}

double Median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace zrv::bench
