// A fresh folder of a test's own, removed with everything in it at the end of the test.
#pragma once

#include <string>
#include <vector>

namespace zrv::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path() + "/" + name
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
// The lines of the runtime log in folder (as TMPDIR), without their "\r\n" ends.
std::vector<std::string> ReadLogLines(const std::string& folder);

// Runs body in a forked child that has folder as TMPDIR and debug mode on, expects the
// child to end with exit code 0 through a runtime stop, and returns the error code of the
// log's end record (-1000 when the log has none). Windows cannot fork: there the test
// program runs again as the child, with only the current test, up to the same call.
int StopErrorCode(void (*body)());
// The error code of the end record in the runtime log of folder, or -1000.
int LoggedStopCode(const std::string& folder);

}  // namespace zrv::test
