// The eight numbered file channels of a program.
#pragma once

#include <array>
#include <cstdint>

#include "files/rt_file.h"

namespace zrv {

inline constexpr std::int32_t kChannelCount = 8;
using ChannelTable = std::array<RtFile, kChannelCount>;

// The channel's file; a number outside 0..7 stops the program with error 7.
RtFile& ChannelFile(double channel);
// The program's end sequence.
void StopChannels() noexcept;

}  // namespace zrv
