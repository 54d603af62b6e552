// The runtime log "ErrorLog.txt" in the temporary folder.
#pragma once

#include <cstdint>
#include <string>

namespace zrv {

// The log file this process made for itself. Lines go only into that file: the temporary
// folder may be shared, and whatever another user put at the log's name (a pipe, a file
// anyone can write) is never opened.
struct RuntimeLogFile {
    std::string path;  // empty: none made yet
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

RuntimeLogFile& LogFile() noexcept;

std::string LogPath();
// Every run starts with a fresh log: the old file is deleted, and the next line makes a new
// one. When something that cannot be deleted stands at the name, the run's lines are dropped.
void StartFreshLog();

// The system's part: appends line to the log at path when it is this process's own file
// (made now when there is none yet); false when it cannot be opened as that file.
bool AppendToOwnLog(const std::string& path, RuntimeLogFile& log, const std::string& line);
void RemoveLogFile(const std::string& path);

}  // namespace zrv
