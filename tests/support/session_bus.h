// A session bus of the test's own: a dbus-daemon with a configuration and a socket in a
// folder of the test, so that neither the machine's bus nor the home folder is touched,
// and the machine's dbus tools as its clients. The daemon ends with the object.
// Linux only, like the media bus it serves: Windows has no session bus.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace zrv::test {

// The program's path by the directories of PATH, or the name itself when none has it.
inline std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = folder + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return name;
}

// Collapses every run of blanks and line breaks to one blank, so that the tools' indented
// output can be searched for a value that follows its key.
inline std::string Flat(const std::string& text) {
    std::string flat;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (!blank) {
            flat += c;
        } else if (!flat.empty() && flat.back() != ' ') {
            flat += ' ';
        }
    }
    return flat;
}

class PrivateSessionBus {
public:
    PrivateSessionBus() {
        const std::string config = folder_ / "bus.conf";
        WriteFile(config,
                  "<busconfig>\n"
                  " <type>session</type>\n"
                  " <listen>unix:dir=" + folder_.Path() + "</listen>\n"
                  " <auth>EXTERNAL</auth>\n"
                  " <policy context=\"default\">\n"
                  "  <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                  "  <allow eavesdrop=\"true\"/>\n"
                  "  <allow own=\"*\"/>\n"
                  " </policy>\n"
                  "</busconfig>\n");
        daemon_ = Start({FindProgram("dbus-daemon"), "--nofork", "--config-file=" + config, "--print-address=1"},
                        addressPipe_);
        address_ = ReadLine(addressPipe_, 30);
    }
    ~PrivateSessionBus() {
        for (auto& [pid, fd] : monitors_) Stop(pid, fd);
        Stop(daemon_, addressPipe_);
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty when the daemon did not start.
    const std::string& Address() const { return address_; }
    // Ends the daemon now, as when the desktop session ends.
    void Kill() { Stop(daemon_, addressPipe_); }

    // dbus-send --print-reply to destination with these arguments (object path, method,
    // typed arguments), as a client of this bus.
    ChildResult Send(const std::string& destination, const std::vector<std::string>& arguments) const {
        ChildOptions options;
        options.args = {"--session", "--print-reply", "--reply-timeout=50000", "--dest=" + destination};
        options.args.insert(options.args.end(), arguments.begin(), arguments.end());
        options.env = {{"DBUS_SESSION_BUS_ADDRESS", address_}};
        return RunChild(FindProgram("dbus-send"), options);
    }
    // Reads a property as dbus-send prints it.
    ChildResult Property(const std::string& destination, const std::string& interface, const std::string& name) const {
        return Send(destination, {"/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties.Get",
                                  "string:" + interface, "string:" + name});
    }
    // dbus-monitor on this bus for the match rule, running until the bus ends; the reading
    // end of its output.
    int Monitor(const std::string& rule) {
        int fd = -1;
        const pid_t pid = Start({FindProgram("dbus-monitor"), "--address", address_, rule}, fd);
        monitors_.emplace_back(pid, fd);
        return fd;
    }

private:
    static pid_t Start(const std::vector<std::string>& argv, int& output) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return -1;
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            // Their complaints about this machine's limits are no part of any test.
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 2);
            std::vector<char*> args;
            for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
        close(fds[1]);
        output = fds[0];
        return pid;
    }
    static void Stop(pid_t& pid, int& fd) {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        if (fd >= 0) close(fd);
        pid = -1;
        fd = -1;
    }
    static std::string ReadLine(int fd, double seconds) {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd ready{fd, POLLIN, 0};
            if (poll(&ready, 1, 100) <= 0) continue;
            char c = 0;
            if (read(fd, &c, 1) != 1 || c == '\n') break;
            line += c;
        }
        return line;
    }

    TempDir folder_;
    int addressPipe_ = -1;
    pid_t daemon_ = -1;
    std::string address_;
    std::vector<std::pair<pid_t, int>> monitors_;
};

}  // namespace zrv::test
