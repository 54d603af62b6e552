// Helpers of the file tests: folders to work in, packs to look things up in, and a clean
// files state between tests (channels, resolvers and stores are the process's own).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "files/channel_table.h"
#include "files/files_state.h"
#include "files/pack_writer.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "zorvane.h"

namespace zrv::test {


inline std::string Text(const RtString& s) { return std::string(s.Buffer(), s.Length()); }

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

inline std::string CurrentDirectory() {
    std::error_code failed;
    const std::filesystem::path folder = std::filesystem::current_path(failed);
    return failed ? "" : folder.string();
}

inline bool EnterDirectory(const std::string& folder) {
    std::error_code failed;
    std::filesystem::current_path(folder, failed);
    return !failed;
}

// Runs the test inside a fresh folder; the previous directory comes back at the end.
class InFolder {
public:
    InFolder() : previous_(CurrentDirectory()) { EXPECT_TRUE(EnterDirectory(folder_.Path())); }
    ~InFolder() {
        if (!EnterDirectory(previous_)) ADD_FAILURE() << "cannot return to " << previous_;
    }
    const std::string& Path() const { return folder_.Path(); }
    std::string operator/(const std::string& name) const { return folder_ / name; }

private:
    TempDir folder_;
    std::string previous_;
};

inline PackImage MakePack(const std::vector<PackInput>& files, bool fromEnd) {
    PackImage pack;
    std::string error;
    EXPECT_TRUE(BuildMediaPack(files, fromEnd, pack, error)) << error;
    return pack;
}

inline std::string PackText(const std::vector<PackInput>& files, bool fromEnd) {
    const PackImage pack = MakePack(files, fromEnd);
    return std::string(pack.bytes.begin(), pack.bytes.end());
}

// Channels closed, stores written back and emptied, resolvers without a pack, the error
// code cleared: what every test starts from and leaves behind.
inline void ResetFiles() {
    StopChannels();
    OpenConfigFile("");
    RtString ignored;
    ReadFileLine("", 0, ignored);
    SetMediaPacks("", "");
    ClearErrorCode();
}

#ifndef _WIN32
// What body reports, run in a forked child that is ended after seconds: for commands that
// might never return. "ended by signal N" when it did not finish.
inline std::string InChildWithin(unsigned seconds, const std::function<std::string()>& body) {
    int ends[2];
    if (::pipe(ends) != 0) return "no pipe";
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ends[0]);
        ::alarm(seconds);
        const std::string report = body();
        const bool sent = ::write(ends[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        _exit(sent ? 0 : 1);
    }
    ::close(ends[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::string report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
    ::close(ends[0]);
    if (WIFSIGNALED(status)) return "ended by signal " + std::to_string(WTERMSIG(status));
    return report;
}

// Names that read without end or wait for a writer, in folder: "zero", "random" (links to
// /dev/zero and /dev/urandom) and "pipe" (a named pipe), each with extension.
inline std::vector<std::string> MakeEndlessNames(const InFolder& folder, const std::string& extension) {
    const std::vector<std::string> names{"zero" + extension, "random" + extension, "pipe" + extension};
    EXPECT_EQ(::symlink("/dev/zero", (folder / names[0]).c_str()), 0);
    EXPECT_EQ(::symlink("/dev/urandom", (folder / names[1]).c_str()), 0);
    EXPECT_EQ(::mkfifo((folder / names[2]).c_str(), 0600), 0);
    return names;
}

// The names of MakeEndlessNames are still what they were, and the folder holds nothing else.
inline void ExpectEndlessNamesKept(const InFolder& folder, const std::vector<std::string>& names) {
    EXPECT_EQ(std::filesystem::read_symlink(folder / names[0]), "/dev/zero");
    EXPECT_EQ(std::filesystem::read_symlink(folder / names[1]), "/dev/urandom");
    EXPECT_TRUE(std::filesystem::is_fifo(folder / names[2]));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3);
}

#endif

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFiles(); }
    void TearDown() override { ResetFiles(); }
};

}  // namespace zrv::test
