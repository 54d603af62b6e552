#include <windows.h>

#include <string>

#include "pack_output.h"

namespace zrv::pack {

namespace {

std::string SystemError() {
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(code);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

bool Fail(std::string& error, const std::string& message) {
    error = message;
    return false;
}

bool WriteAll(HANDLE file, const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        const DWORD chunk = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
        DWORD put = 0;
        if (!WriteFile(file, bytes, chunk, &put, nullptr) || put == 0) return false;
        bytes += put;
        count -= put;
    }
    return true;
}

bool CopyInto(HANDLE to, const std::string& hostPath, std::string& error) {
    const HANDLE from = CreateFileA(hostPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (from == INVALID_HANDLE_VALUE) return Fail(error, "cannot read \"" + hostPath + "\": " + SystemError());
    std::vector<std::uint8_t> chunk(1 << 16);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(from, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) ||
            (got > 0 && !WriteAll(to, chunk.data(), got))) {
            const std::string reason = SystemError();
            CloseHandle(from);
            return Fail(error, "copying \"" + hostPath + "\" failed: " + reason);
        }
        if (got == 0) break;
    }
    CloseHandle(from);
    return true;
}

// A new file of its own beside output: the name is tried again while another process has
// taken it.
HANDLE CreateBeside(const std::string& output, std::string& temporary) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporary = output + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt) + ".tmp";
        const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

// Both separators name folders on Windows.
const char kPathSeparators[] = "/\\";

// Host bytes (if any) and the pack into a new file beside output, moved over it. Windows
// keeps no permission bits to carry over: an .exe stays runnable by its name.
bool WriteResult(const std::string& output, const std::string& host, const std::vector<std::uint8_t>& pack,
                 std::string& error) {
    if (!host.empty()) {
        const DWORD attributes = GetFileAttributesA(host.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(error, "cannot read \"" + host + "\": " + SystemError());
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Fail(error, "\"" + host + "\" is not a regular file");
    }
    std::string temporary;
    const HANDLE file = CreateBeside(output, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return Fail(error, "cannot create a file beside \"" + output + "\": " + SystemError());
    }
    bool ok = host.empty() || CopyInto(file, host, error);
    if (ok && !WriteAll(file, pack.data(), pack.size())) {
        error = "writing \"" + temporary + "\" failed: " + SystemError();
        ok = false;
    }
    if (ok && !FlushFileBuffers(file)) {
        error = "finishing \"" + temporary + "\" failed: " + SystemError();
        ok = false;
    }
    if (!CloseHandle(file) && ok) {
        error = "writing \"" + temporary + "\" failed: " + SystemError();
        ok = false;
    }
    if (ok && !MoveFileExA(temporary.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = "cannot replace \"" + output + "\": " + SystemError();
        ok = false;
    }
    if (!ok) {
        DeleteFileA(temporary.c_str());
        return Fail(error, error + (host.empty() ? "" : "; \"" + host + "\" is unchanged"));
    }
    return true;
}

}  // namespace zrv::pack
