// Writing zrv-pack's result, the part that differs by system: the host's bytes (if any)
// and the pack go into a new file beside the output, which replaces the output only once
// it is complete, so a failure never damages the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zrv::pack {

// What ends a folder name in a path given on the command line.
extern const char kPathSeparators[];

// False with the message for the user when the result could not be written.
bool WriteResult(const std::string& output, const std::string& host, const std::vector<std::uint8_t>& pack,
                 std::string& error);

}  // namespace zrv::pack
