#include <gtest/gtest.h>

#include "files/wildcard.h"

namespace zrv {
namespace {

struct Case {
    const char* pattern;
    const char* name;
    std::int32_t matches;
};

TEST(MatchWildcard, StarQuestionMarkAndCase) {
    const Case cases[] = {
        {"*.mp3", "Song.MP3", 1},   {"*.mp3", "a.mp3.txt", 0}, {"*.mp3", ".mp3", 1},
        {"a?c", "abc", 1},          {"a?c", "a.c", 0},         {"file?txt", "file.txt", 0},
        {"*", "anything.at.all", 1}, {"*", "", 1},             {"", "", 1},
        {"", "a", 0},               {"abc", "abd", 0},         {"abc", "ab", 0},
        {"ab", "abc", 0},           {"ABC", "abc", 1},         {"?", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
    }
}

TEST(MatchWildcard, StarStarMatchesNamesWithoutADot) {
    EXPECT_EQ(MatchWildcard("*.*", "README"), 1);
    EXPECT_EQ(MatchWildcard("*.*", ""), 1);
    // Only the exact pattern is special: written differently it needs the dot.
    EXPECT_EQ(MatchWildcard("**.*", "README"), 0);
    EXPECT_EQ(MatchWildcard("*.**", "README"), 0);
}

TEST(MatchWildcard, RetriesAfterTheMostRecentStar) {
    const Case cases[] = {
        {"*a*b", "xaxb", 1},     {"*a*b", "xaxbx", 0},   {"a*b*c", "abxbyc", 1},
        {"*aab", "aaab", 1},     {"*ab?", "abab.", 0},   {"*ab?", "ababx", 1},
        {"a***", "a", 1},        {"***", "", 1},         {"a*", "a", 1},
        {"*x", "xxxxxxxxy", 0},  {"*.?p3", "x.mp3", 1},  {"*?", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
    }
}

}  // namespace
}  // namespace zrv
