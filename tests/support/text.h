// Looking into what a child printed or a file holds.
#pragma once

#include <string>

namespace zrv::test {

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace zrv::test
