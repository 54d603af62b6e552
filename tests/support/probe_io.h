// What the probe programs of tests/programs share: their settings come from the
// environment, and each fact they observe goes to standard output as a line of its own,
// flushed at once, so that a test waiting for it sees it while the program runs on.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zrv::test {

inline std::string Env(const char* name, const char* fallback = "") {
    const char* value = std::getenv(name);
    return value != nullptr ? value : fallback;
}

inline void Say(const std::string& fact) {
    std::printf("%s\n", fact.c_str());
    std::fflush(stdout);
}

}  // namespace zrv::test
