#include "core/runtime_log.h"

#include <string>

#include "core/temp_directory.h"
#include "zorvane/program.h"

namespace zrv {

namespace {

bool IsMemoryName(const std::string& path) { return path.rfind("mem://", 0) == 0; }

}  // namespace

std::string LogPath() { return TempDirectory() + "ErrorLog.txt"; }

void StartFreshLog() {
    const std::string path = LogPath();
    if (!IsMemoryName(path)) RemoveLogFile(path);
    LogFile() = RuntimeLogFile{};
}

}  // namespace zrv

void AppendLogLine(const RtString& text) {
    const std::string line = std::string(text.Buffer() != nullptr ? text.Buffer() : "") + "\r\n";
    auto& log = zrv::LogFile();
    // Each line opens and closes the file, so the log is complete on disk after every line.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::string path = zrv::LogPath();
        if (zrv::IsMemoryName(path)) continue;
        if (zrv::AppendToOwnLog(path, log, line)) return;
    }
}
