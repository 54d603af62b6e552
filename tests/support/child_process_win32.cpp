// Children on Windows: CreateProcess with a command line, the child's standard output and
// error into pipes of the test, its end seen through its process handle.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "platform/command_line.h"
#include "platform/paths.h"
#include "support/child_process.h"
#include "support/clock.h"

namespace zrv::test {

std::string TestProgram(const std::string& name) {
    // The build machine's folder of ZRV_TEST_PROGRAM_DIR may not be reachable under that
    // name from here; the test programs' folder lies beside the tests' own.
    // In the system's own form, as a program is told its path.
    const std::filesystem::path path = ExecutableDirectory() + "/../test-programs/zrv_prog_" + name + ".exe";
    return path.lexically_normal().make_preferred().string();
}

namespace {

HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The test's environment with the options' changes, as the block CreateProcess takes:
// "name=value" strings one after another, the last followed by a second NUL. Names are
// compared without case, as the system compares them.
std::string EnvironmentBlock(const ChildOptions& options) {
    std::map<std::string, std::string> variables;  // by upper-case name: "name=value"
    if (char* block = GetEnvironmentStringsA()) {
        for (const char* entry = block; *entry != '\0'; entry += std::char_traits<char>::length(entry) + 1) {
            const std::string text = entry;
            const std::size_t equals = text.find('=', 1);  // "=C:=C:\..." entries start with "="
            if (equals != std::string::npos) variables[Upper(text.substr(0, equals))] = text;
        }
        FreeEnvironmentStringsA(block);
    }
    for (const auto& [name, value] : options.env) variables[Upper(name)] = name + "=" + value;
    for (const auto& name : options.unsetEnv) variables.erase(Upper(name));
    std::string block;
    for (const auto& entry : variables) block += entry.second + '\0';
    return block + '\0';
}

// A pipe whose writing end the child inherits; false when none could be made.
bool OpenPipe(HANDLE& reading, HANDLE& writing) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(&reading, &writing, &inherit, 0)) return false;
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    return true;
}

// Reads what is waiting without blocking; a broken pipe closes it for good. The child's C
// library ends lines with "\r\n" in text mode: they are read as "\n", as on POSIX.
void Drain(HANDLE pipe, std::string& into, bool& open) {
    char buffer[4096];
    while (open) {
        DWORD waiting = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr)) {
            open = false;
        } else if (waiting == 0) {
            break;
        } else {
            DWORD got = 0;
            if (!ReadFile(pipe, buffer, std::min<DWORD>(waiting, sizeof buffer), &got, nullptr) || got == 0) {
                open = false;
            } else {
                into.append(buffer, got);
            }
        }
    }
    for (std::size_t at = into.find("\r\n"); at != std::string::npos; at = into.find("\r\n", at)) into.erase(at, 1);
}

bool Ended(std::intptr_t process) { return WaitForSingleObject(AsHandle(process), 0) == WAIT_OBJECT_0; }

// A debugged child that is killed would still report its end to its debugger: the test
// lets go of it first.
void Kill(std::intptr_t process, bool debugged) {
    if (debugged) DebugActiveProcessStop(GetProcessId(AsHandle(process)));
    TerminateProcess(AsHandle(process), 1);
}

// What a debugger does while its child runs: the texts the child sends are added to err,
// after what the child wrote to its pipes before it sent them (readPipes), so that both
// keep their order; every other event lets the child go on (its exceptions its own to
// handle). The child waits at each event until it is let go, so this runs wherever the
// test waits.
template <typename ReadPipes>
void HandleDebugEvents(std::string& err, ReadPipes readPipes) {
    DEBUG_EVENT event{};
    while (WaitForDebugEvent(&event, 0)) {
        DWORD reply = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case OUTPUT_DEBUG_STRING_EVENT: {
            const OUTPUT_DEBUG_STRING_INFO& info = event.u.DebugString;
            std::string text(info.nDebugStringLength, '\0');
            SIZE_T got = 0;
            HANDLE child = OpenProcess(PROCESS_VM_READ, FALSE, event.dwProcessId);
            if (child != nullptr) {
                ReadProcessMemory(child, info.lpDebugStringData, text.data(), text.size(), &got);
                CloseHandle(child);
            }
            text.resize(got);
            if (!text.empty() && text.back() == '\0') text.pop_back();
            readPipes();
            err += text;
            break;
        }
        case EXCEPTION_DEBUG_EVENT:
            // The loader's first breakpoint is the debugger's to pass; the rest are the child's.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                reply = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile != nullptr) CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile != nullptr) CloseHandle(event.u.LoadDll.hFile);
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, reply);
    }
}

}  // namespace

LiveChild::LiveChild(const std::string& path, const ChildOptions& options) {
    if (options.userId >= 0) {
        result_.err = "[test harness: running as another user is POSIX only]";
        return;
    }
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!OpenPipe(outRead, outWrite)) return;
    if (!OpenPipe(errRead, errWrite)) {
        CloseHandle(outRead);
        CloseHandle(outWrite);
        return;
    }
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE nothing = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                       OPEN_EXISTING, 0, nullptr);
    // The system is handed the program's path with its own separators.
    std::string program = path;
    std::replace(program.begin(), program.end(), '/', '\\');
    std::vector<std::string> words{program};
    words.insert(words.end(), options.args.begin(), options.args.end());
    std::string line = JoinCommandLine(words);
    std::string environment = EnvironmentBlock(options);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nothing;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    const DWORD flags = options.traced ? DEBUG_ONLY_THIS_PROCESS : 0;
    const bool started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, flags, environment.data(),
                                        options.workingDir.empty() ? nullptr : options.workingDir.c_str(),
                                        &startup, &process);
    // The parent keeps the reading ends only, so that the pipes break when the child ends.
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (nothing != INVALID_HANDLE_VALUE) CloseHandle(nothing);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        result_.err = "[test harness: " + line + " did not start, error " + std::to_string(GetLastError()) + "]";
        return;
    }
    CloseHandle(process.hThread);
    debugged_ = options.traced;
    pid_ = reinterpret_cast<std::intptr_t>(process.hProcess);
    out_ = reinterpret_cast<std::intptr_t>(outRead);
    err_ = reinterpret_cast<std::intptr_t>(errRead);
    outOpen_ = errOpen_ = true;
}

LiveChild::~LiveChild() {
    if (pid_ != -1) {
        if (!Ended(pid_)) Kill(pid_, debugged_);
        WaitForSingleObject(AsHandle(pid_), INFINITE);
        CloseHandle(AsHandle(pid_));
    }
    if (out_ != -1) CloseHandle(AsHandle(out_));
    if (err_ != -1) CloseHandle(AsHandle(err_));
}

void LiveChild::Drain() {
    // A test with a window of its own must answer what is sent to it while it waits: a
    // child that makes a window sends to every top-level window, and would wait for the
    // test as the test waits for it. Looking at the queue delivers what was sent.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    const auto readPipes = [this] {
        if (out_ != -1) zrv::test::Drain(AsHandle(out_), result_.out, outOpen_);
        if (err_ != -1) zrv::test::Drain(AsHandle(err_), result_.err, errOpen_);
    };
    if (debugged_) HandleDebugEvents(result_.err, readPipes);
    readPipes();
}

bool LiveChild::WaitForLine(const std::string& line, double timeoutSeconds) {
    const double deadline = Now() + timeoutSeconds;
    while (!HasPrinted(line)) {
        if (Now() > deadline || pid_ == -1) return false;
        if (Ended(pid_)) return HasPrinted(line);  // what it printed is all there is
        Pause(0.01);
    }
    return true;
}

ChildResult LiveChild::Finish(double timeoutSeconds) {
    if (pid_ == -1) return result_;
    const double deadline = Now() + timeoutSeconds;
    bool killed = false;
    while (WaitForSingleObject(AsHandle(pid_), 10) == WAIT_TIMEOUT) {
        Drain();
        if (Now() > deadline) {
            Kill(pid_, debugged_);
            WaitForSingleObject(AsHandle(pid_), INFINITE);
            result_.err += "\n[test harness: child timed out]";
            killed = true;
            break;
        }
    }
    DWORD code = 0;
    const bool known = GetExitCodeProcess(AsHandle(pid_), &code) != 0;
    CloseHandle(AsHandle(pid_));
    pid_ = -1;
    // What the child wrote is in the pipes now; a grandchild it started may keep them
    // open, so take what is there without waiting for the end.
    Drain();
    result_.exited = known && !killed;
    result_.exitCode = result_.exited ? static_cast<int>(code) : -1;
    result_.signal = 0;
    return result_;
}

}  // namespace zrv::test
