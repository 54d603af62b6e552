// The file requester: an external chooser (zenity or kdialog) when one is installed and a
// display is there to show it on, else no file at all. An unattended run therefore never
// waits for a dialog nobody can see.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "zorvane/files.h"

extern char** environ;

namespace {

constexpr std::size_t kMaxAnswer = 64 * 1024;

struct FilterEntry {
    std::string description;
    std::string patterns;  // separated by blanks
};

// "description|pattern|description|pattern": the patterns of one entry are separated by
// ';' as in the Windows filters programs are written with.
std::vector<FilterEntry> ParseFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = filter.find('|', start);
        const std::size_t end = bar == std::string::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, end - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<FilterEntry> entries;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (const char c : parts[i + 1]) patterns += c == ';' ? ' ' : c;
        if (!patterns.empty()) entries.push_back({parts[i], patterns});
    }
    return entries;
}

std::string FindOnPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : std::string(".");
        const std::string candidate = folder + "/" + std::string(program);
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return std::string();
}

std::string CurrentFolder() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : ".";
}

std::vector<std::string> ChooserCommand(const std::string& program, bool open,
                                        const std::vector<FilterEntry>& filters) {
    const std::string folder = CurrentFolder() + "/";
    if (program.ends_with("zenity")) {
        std::vector<std::string> command = {program, "--file-selection", "--filename=" + folder};
        if (!open) command.push_back("--save");
        for (const FilterEntry& entry : filters) {
            command.push_back("--file-filter=" + entry.description + " | " + entry.patterns);
        }
        return command;
    }
    std::string kdialogFilter;
    for (const FilterEntry& entry : filters) {
        if (!kdialogFilter.empty()) kdialogFilter += '\n';
        kdialogFilter += entry.patterns + "|" + entry.description;
    }
    return {program, open ? "--getopenfilename" : "--getsavefilename", folder, kdialogFilter};
}

// Runs the chooser and returns what it printed when it ended with success.
std::string RunChooser(std::vector<std::string> command) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return std::string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& argument : command) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int started = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string answer;
    if (started == 0) {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            if (answer.size() < kMaxAnswer) answer.append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(pipeEnds[0]);
    if (started != 0) return std::string();
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::string();
    // One path, ended by a line feed.
    const std::size_t end = answer.find_first_of("\r\n");
    if (end != std::string::npos) answer.resize(end);
    return answer;
}

}  // namespace

RtString RequestFileName(std::int32_t open, const RtString& filter) {
    try {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == 0) return RtString("NO_FILE");
        std::string program = FindOnPath("zenity");
        if (program.empty()) program = FindOnPath("kdialog");
        if (program.empty()) return RtString("NO_FILE");
        // Fullscreen is left and the window hidden here (HideDisplay) once the display exists.
        const std::string chosen = RunChooser(ChooserCommand(program, open != 0, ParseFilter(filter.c_str())));
        // ... and the window brought back here (OpenScreen when fullscreen, else EnterWindowed).
        // The chooser ran in a process of its own, so the current directory is unchanged.
        return RtString(chosen.empty() ? "NO_FILE" : chosen.c_str());
    } catch (...) {
        // Out of memory or no chooser to be started (see core/fatal.h): nothing was chosen.
        return RtString("NO_FILE");
    }
}
