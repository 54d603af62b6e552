// The name test of the folder listing.
#pragma once

#include <cstdint>
#include <string_view>

namespace zrv {

// "*.*" matches every name (also one without a dot). Otherwise '*' matches any run of
// characters, '?' any one character but '.', and other characters themselves with ASCII
// letters compared without case. 1 or 0.
std::int32_t MatchWildcard(std::string_view pattern, std::string_view name) noexcept;

}  // namespace zrv
