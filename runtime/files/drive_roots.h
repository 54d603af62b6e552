// The places a user can browse, standing in for the drive letters of the system programs
// were written for.
#pragma once

#include <string>
#include <vector>

namespace zrv {

// "/", then home (when not empty), then the mount points of the table that hold a real
// device ("/dev/...") under /media, /run/media, /mnt or /home, in table order. A device
// counts once, at its first line in the whole table, so bind mounts and second mounts of
// it are left out; no root is given twice. Every root ends in "/". A table that cannot be
// read adds nothing.
std::vector<std::string> DriveRootsFrom(const char* mountTable, const std::string& home);

}  // namespace zrv
