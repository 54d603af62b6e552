#include "files/wildcard.h"

#include "files/ascii.h"

namespace zrv {

std::int32_t MatchWildcard(std::string_view pattern, std::string_view name) noexcept {
    if (pattern == "*.*") return 1;
    std::size_t p = 0;
    std::size_t n = 0;
    // After a '*': where the pattern goes on, and where the name was last tried against it.
    std::size_t afterStar = std::string_view::npos;
    std::size_t attempt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            while (p < pattern.size() && pattern[p] == '*') ++p;
            if (p == pattern.size()) return 1;
            afterStar = p;
            attempt = n;
            continue;
        }
        if (p < pattern.size() &&
            (pattern[p] == '?' ? name[n] != '.' : LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
            ++p;
            ++n;
            continue;
        }
        if (afterStar == std::string_view::npos) return 0;
        p = afterStar;
        n = ++attempt;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size() ? 1 : 0;
}

}  // namespace zrv
