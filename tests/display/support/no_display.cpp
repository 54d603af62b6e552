#include "display/support/no_display.h"

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace zrv::test {

void ExpectStartWithoutAWindowFails(const std::string& path, const std::vector<std::string>& args) {
    const std::string reason = "Window creation failed: ";
    for (const char* display : {":999", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(display != nullptr ? display : "no DISPLAY");
        TempDir tmp;
        ChildOptions options;
        options.args = args;
        options.timeoutSeconds = 30;
        options.env = {{"TMPDIR", tmp.Path()}};
        options.unsetEnv = {"ZRV_NO_WINDOW", "WAYLAND_DISPLAY"};
        if (display != nullptr) {
            options.env.push_back({"DISPLAY", display});
        } else {
            options.unsetEnv.push_back("DISPLAY");
        }
        const ChildResult result = RunChild(path, options);
        EXPECT_TRUE(result.exited) << result.err;
        EXPECT_NE(result.exitCode, 0);
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;

        const std::vector<std::string> log = ReadLogLines(tmp.Path());
        ASSERT_EQ(log.size(), 3u);
        EXPECT_EQ(log[0], "Init GFX");
        EXPECT_EQ(log[1].rfind(reason, 0), 0u) << log[1];
        EXPECT_NE(result.err.find(log[1]), std::string::npos);
        EXPECT_EQ(log[2], "Shut down ZRV");
    }
}

}  // namespace zrv::test
