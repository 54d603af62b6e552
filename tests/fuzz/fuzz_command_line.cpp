// Command lines from outside: splitting never fails, and joining the arguments back gives
// a line that splits into the same arguments.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const auto arguments = zrv::SplitCommandLine(line);
    if (zrv::SplitCommandLine(zrv::JoinCommandLine(arguments)) != arguments) std::abort();
    return 0;
}
