// The file system of the machine: listing the current folder, testing, deleting and copying
// files, folders, the current directory, the places that stand for drives and the file
// requester. Names are relative to the current directory, which start-up sets to the
// executable's folder. None of these looks into the media pack.
#pragma once

#include <cstdint>

#include "zorvane/rt_array.h"
#include "zorvane/rt_string.h"

// Fills names with the folders of the current directory (always, "." and ".." among them)
// and then the files that match pattern ('*' any run of characters, '?' one character but
// '.', "*.*" every name), each group sorted without regard to case. Returns
// files + 65536 * folders.
double ListFiles(const RtString& pattern, RtStringArray& names);
// 1 when the file can be opened for reading (a folder is not a file) or the name begins
// with "mem://", else 0.
std::int32_t FileExists(const RtString& name);
// 1 when the path exists and is a folder.
std::int32_t IsDirectory(const RtString& path) noexcept;
// 1 when the file was deleted.
std::int32_t DeleteFile(const RtString& name) noexcept;
// Creates one folder (its parent must exist); 1 on success.
std::int32_t CreateDir(const RtString& path) noexcept;
// Copies a file (or an in-memory file) over the destination. Error code 3 when the source
// cannot be opened or the destination cannot be created; a copy that fails half-way
// leaves no destination behind.
void CopyFile(const RtString& source, const RtString& destination);
// The current directory, ending in "/".
RtString ReadCurrentDir();
// The folder the process was started in, ending in "/": start-up then makes the
// executable's folder the current directory. Before start-up, the current directory.
RtString ReadStartDir();
// 1 on success; 0 with error code 3.
std::int32_t ChangeDir(const RtString& path);
// Fills roots with the places that stand for drives here, each ending in "/": the root
// "/", the home folder, then the mount points of devices ("/dev/...") under /media,
// /run/media, /mnt or /home in the order of the mount table, each device and each root
// once. Returns their number. Whether a root can be entered is not tested.
double ListDriveRoots(RtStringArray& roots);
// Asks the user for a file name: the open chooser when open is non-zero, else the save
// chooser. filter holds pairs of a description and patterns, all separated by '|'
// ("Music|*.mp3;*.wav|All files|*.*"). The chosen path, or "NO_FILE" when the user
// cancels or no chooser can be shown (no display, or neither zenity nor kdialog).
RtString RequestFileName(std::int32_t open, const RtString& filter);
