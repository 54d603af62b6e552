// A program started where no sound server runs: neither the sound server's driver nor
// ALSA's configuration (where the server's package is installed) asks for one, so nothing
// is left behind in the temporary or the home folder.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "audio/sound_server.h"
#include "support/child_process.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace zrv::test {
namespace {

namespace fs = std::filesystem;

bool SystemWideServer() {
    struct stat info {};
    return (::stat("/run/pulse/native", &info) == 0 || ::stat("/var/run/pulse/native", &info) == 0);
}

// A listening socket at path, as a server leaves one; closed with the object.
class ListeningSocket {
public:
    explicit ListeningSocket(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << path;
        EXPECT_EQ(::listen(fd_, 1), 0);
    }
    ~ListeningSocket() { ::close(fd_); }

private:
    int fd_;
};

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(entry.path(), folder));
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SoundServer, FoundOnlyWhereItsClientWouldReachIt) {
    if (SystemWideServer()) GTEST_SKIP() << "a sound server for the whole system runs on this machine";
    TempDir home;
    TempDir session;
    ScopedEnv homeEnv("HOME", home.Path().c_str());
    ScopedEnv noSession("XDG_RUNTIME_DIR", nullptr);
    ScopedEnv noServer("PULSE_SERVER", nullptr);
    ScopedEnv noRuntime("PULSE_RUNTIME_PATH", nullptr);
    ScopedEnv noConfig("PULSE_CONFIG_PATH", nullptr);
    ScopedEnv noConfigHome("XDG_CONFIG_HOME", nullptr);
    EXPECT_FALSE(SoundServerReachable());

    // Through the links of the client's configuration folder: only a live socket counts.
    fs::create_directories(home / ".config/pulse");
    fs::create_directory(session / "run");
    ASSERT_EQ(::symlink((session / "run").c_str(), (home / ".config/pulse/abc-runtime").c_str()), 0);
    EXPECT_FALSE(SoundServerReachable());
    {
        ListeningSocket server(session / "run/native");
        EXPECT_TRUE(SoundServerReachable());
    }
    ::unlink((session / "run/native").c_str());
    EXPECT_FALSE(SoundServerReachable());

    // A session's runtime folder replaces the links.
    ScopedEnv sessionEnv("XDG_RUNTIME_DIR", session.Path().c_str());
    fs::create_directory(session / "pulse");
    EXPECT_FALSE(SoundServerReachable());
    {
        ListeningSocket server(session / "pulse/native");
        EXPECT_TRUE(SoundServerReachable());
    }
    ScopedEnv named("PULSE_SERVER", "tcp:localhost");
    EXPECT_TRUE(SoundServerReachable());
}

TEST(SoundServer, AProgramStartedWithoutOneLeavesNothingBehind) {
    if (SystemWideServer()) GTEST_SKIP() << "a sound server for the whole system runs on this machine";
    TempDir home;
    TempDir tmp;
    ChildOptions options;
    // As a program started from a plain console: no session, no display (so it is asked to
    // run without a window), no driver chosen.
    options.env = {{"HOME", home.Path()}, {"TMPDIR", tmp.Path()}, {"ZRV_PROBE", "none"}, {"ZRV_NO_WINDOW", "1"}};
    options.unsetEnv = {"XDG_RUNTIME_DIR", "DISPLAY", "SDL_AUDIODRIVER", "PULSE_SERVER", "PULSE_RUNTIME_PATH",
                        "PULSE_CONFIG_PATH", "XDG_CONFIG_HOME", "PULSE_INTERNAL"};
    for (int run = 0; run < 2; ++run) {
        const ChildResult result = RunChild(TestProgram("audio_probe"), options);
        EXPECT_EQ(result.exitCode, 0) << result.err;
    }
    EXPECT_EQ(Entries(home.Path()), std::vector<std::string>{});
    EXPECT_EQ(Entries(tmp.Path()), std::vector<std::string>{"ErrorLog.txt"});
}

}  // namespace
}  // namespace zrv::test
