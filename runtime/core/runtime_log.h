// The runtime log "ErrorLog.txt" in the temporary folder.
#pragma once

#include <string>

namespace zrv {

std::string LogPath();
// Every run starts with a fresh log.
void DeleteLog();

}  // namespace zrv
