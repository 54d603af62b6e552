// The places a user can browse: the drive letters on Windows, and what stands in for them
// elsewhere.
#pragma once

#include <string>
#include <vector>

namespace zrv {

// Windows: the root of each drive letter the system has, "a:/" to "z:/" in letter order,
// the letter in lower case. Elsewhere: DriveRootsFrom this process's mount table and home.
std::vector<std::string> SystemDriveRoots();

#ifndef _WIN32
// "/", then home (when not empty), then the mount points of the table that hold a real
// device ("/dev/...") under /media, /run/media, /mnt or /home, in table order. A device
// counts once, at its first line in the whole table, so bind mounts and second mounts of
// it are left out; no root is given twice. Every root ends in "/". A table that cannot be
// read adds nothing.
std::vector<std::string> DriveRootsFrom(const char* mountTable, const std::string& home);
#endif

}  // namespace zrv
