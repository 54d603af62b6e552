// The characters that end a folder's name in a path: "/" everywhere, "\" too on Windows,
// where it is the system's own (elsewhere it is an ordinary character of a name).
#pragma once

namespace zrv {

constexpr bool IsPathSeparator(char c) noexcept {
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

}  // namespace zrv
