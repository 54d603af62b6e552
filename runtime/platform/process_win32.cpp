#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/process.h"

namespace zrv {

namespace {

// The system may write into the command line it is given, and wants room to do it.
constexpr std::size_t kCommandLineRoom = 1024;

HANDLE AsHandle(ChildProcess child) { return reinterpret_cast<HANDLE>(child); }

}  // namespace

ChildProcess StartProcess(const std::string& commandLine, bool shown) {
    std::vector<char> line(std::max(commandLine.size(), kCommandLineRoom) + 1, '\0');
    std::copy(commandLine.begin(), commandLine.end(), line.begin());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = shown ? SW_SHOWNORMAL : SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &process)) {
        return kNoChild;
    }
    CloseHandle(process.hThread);
    return reinterpret_cast<ChildProcess>(process.hProcess);
}

int WaitForExitCode(ChildProcess child) {
    if (child == kNoChild) return 0;
    DWORD code = 0;
    do {
        if (WaitForSingleObject(AsHandle(child), INFINITE) == WAIT_FAILED || !GetExitCodeProcess(AsHandle(child), &code)) {
            code = 0;
            break;
        }
        // A child that really ends with the code that means "still running" looks
        // exactly like one that runs on; the wait is cheap, so it is simply repeated.
    } while (code == STILL_ACTIVE);
    CloseHandle(AsHandle(child));
    return static_cast<int>(code);
}

void ReapWhenEnded(ChildProcess child) {
    // A Windows child leaves nothing behind once its handle is closed.
    if (child != kNoChild) CloseHandle(AsHandle(child));
}

}  // namespace zrv
