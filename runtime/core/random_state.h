// The state of the process's ISAAC random-number generator (32-bit words throughout).
#pragma once

#include <cstdint>

namespace zrv {

struct RandomState {
    std::uint32_t state[256] = {};
    std::uint32_t results[256] = {};
    std::uint32_t accumulator = 0;  // a
    std::uint32_t lastResult = 0;   // b
    std::uint32_t counter = 0;      // c
    std::uint32_t resultCount = 0;
};

RandomState& Random() noexcept;

}  // namespace zrv
