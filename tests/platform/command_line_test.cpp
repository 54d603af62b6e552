#include <gtest/gtest.h>

#include "platform/command_line.h"

namespace zrv {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, SplitsAtBlanksAndGroupsQuotedParts) {
    EXPECT_EQ(SplitCommandLine("prog a  b\tc"), (Args{"prog", "a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine("  "), Args{});
    EXPECT_EQ(SplitCommandLine(""), Args{});
    EXPECT_EQ(SplitCommandLine("\"my prog\" \"two words\" x"), (Args{"my prog", "two words", "x"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d"), (Args{"ab cd"}));
    EXPECT_EQ(SplitCommandLine("\"\" x"), (Args{"", "x"}));
    EXPECT_EQ(SplitCommandLine("\"unterminated part"), (Args{"unterminated part"}));
}

TEST(CommandLine, BackslashesMatterOnlyBeforeQuotes) {
    EXPECT_EQ(SplitCommandLine("a\\b c\\\\d"), (Args{"a\\b", "c\\\\d"}));
    EXPECT_EQ(SplitCommandLine("\\\"quoted\\\""), (Args{"\"quoted\""}));
    EXPECT_EQ(SplitCommandLine("x\\\\\"y z\""), (Args{"x\\y z"}));
    EXPECT_EQ(SplitCommandLine("\"end\\\\\""), (Args{"end\\"}));
}

TEST(CommandLine, JoinedArgumentsSplitBackUnchanged) {
    const Args samples[] = {
        {"prog"},
        {"/usr/bin/prog", "plain", "with blank", ""},
        {"a\"b", "tab\there", "trailing\\", "\\\"", "back\\slash", "\\\\\" \\"},
    };
    for (const Args& args : samples) {
        EXPECT_EQ(SplitCommandLine(JoinCommandLine(args)), args) << JoinCommandLine(args);
    }
    EXPECT_EQ(JoinCommandLine({"prog", "with blank"}), "prog \"with blank\"");
}

}  // namespace
}  // namespace zrv
