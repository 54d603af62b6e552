// The font steps of start-up, seen from whole programs: "Loading..." centred in the built-in
// font, then "smalfont.png" beside the executable, or "smalfont.bmp", or nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gfx2d/image_codecs.h"
#include "support/child_process.h"
#include "support/environment.h"
#include "support/image_builders.h"
#include "support/temp_dir.h"

namespace zrv::test {
namespace {

namespace fs = std::filesystem;

// The probe copied alone into a folder of its own (start-up looks beside the executable).
std::string LoneProbe(const TempDir& folder) {
    const std::string program = TestProgram("gfx2d_probe");
    const std::string path = folder / fs::path(program).filename().string();
    fs::copy_file(program, path);
    return path;
}

ChildResult RunProbe(const std::string& path, const TempDir& tmp, const std::string& shot = "") {
    ChildOptions options;
    options.env = {{kTempFolderVariable, tmp.Path()}};
    if (!shot.empty()) options.env.emplace_back("ZRV_SHOT", shot);
    return RunChild(path, options);
}

TEST(StartUpFont, TheSmallFontBesideTheExecutableIsLoaded) {
    TempDir tmp;
    const ChildResult result = RunProbe(TestProgram("gfx2d_probe"), tmp);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("font 8 16\n"), std::string::npos) << result.out;
}

TEST(StartUpFont, WithoutOneTheBmpIsTakenAndWithoutThatTheBuiltInFont) {
    TempDir tmp;
    TempDir folder;
    const std::string probe = LoneProbe(folder);
    ChildResult result = RunProbe(probe, tmp);
    EXPECT_NE(result.out.find("font 8 8\n"), std::string::npos) << result.out;

    // 256 x 128: cells of 16 x 16.
    BmpLayout layout{256, 128, 24, {}, std::vector<Bytes>(128, Bytes(256 * 3, 255))};
    StoreFile(folder / "smalfont.bmp", MakeBmp(layout));
    result = RunProbe(probe, tmp);
    EXPECT_NE(result.out.find("font 16 16\n"), std::string::npos) << result.out;
}

TEST(StartUpFont, LoadingIsShownCentredInTheBuiltInFont) {
    TempDir tmp;
    TempDir folder;
    const std::string shot = folder / "loading.png";
    const ChildResult result = RunProbe(LoneProbe(folder), tmp, shot);
    ASSERT_NE(result.out.find("saved 0\n"), std::string::npos) << result.out;
    const std::string file = ReadFile(shot);
    DecodedImage image;
    ASSERT_TRUE(DecodePng(Bytes(file.begin(), file.end()), "loading.png", kNoKeyColour, image));
    ASSERT_EQ(image.width, 640);
    ASSERT_EQ(image.height, 480);
    // Ten cells of 8 x 8 from x = (640 - 80) / 2, y = (480 - 8) / 2.
    int left = 640, right = -1, top = 480, bottom = -1;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (image.Row(y)[x * 4] < 200) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    EXPECT_GE(left, 280);
    EXPECT_LE(right, 280 + 80);
    EXPECT_GE(top, 236);
    EXPECT_LE(bottom, 236 + 8);
    EXPECT_LT(left, 290) << "the 'L' starts the text";
    EXPECT_GT(right, 330) << "the dots end it";
}

}  // namespace
}  // namespace zrv::test
