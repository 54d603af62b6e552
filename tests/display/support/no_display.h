// A program started where its window cannot be opened: on a display nobody serves, with
// no display named at all, and on a server that takes the connection and never answers.
#pragma once

#include <string>
#include <vector>

namespace zrv::test {

// Expects the program at path to end within a generous deadline, with a non-zero exit
// code, the reason on standard error and the same reason in the runtime log, in each case.
void ExpectStartWithoutAWindowFails(const std::string& path, const std::vector<std::string>& args = {});

}  // namespace zrv::test
