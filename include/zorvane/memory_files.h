// In-memory files: a block of bytes that opens like a file under a "mem://" name, for
// example a media pack the program carries in memory (see SetMediaPacks).
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// Registers a copy of size bytes at block and returns its name ("mem://" followed by size
// and address in hexadecimal); the empty text when the block is null, the size negative or
// the memory for the copy cannot be had. The program may free its own buffer right away.
RtString RegisterMemoryFile(const void* block, std::int32_t size);
// Forgets the block: the name opens as a missing file from now on (files already open on
// it read on). 1 when the name was registered, else 0.
std::int32_t ReleaseMemoryFile(const RtString& name);
