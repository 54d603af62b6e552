// A large image on its way into a sprite is held once: what the load takes beyond the
// textures it leaves behind stays near one RGBA copy of the image.
#include <gtest/gtest.h>

#include <string>

#include "support/child_process.h"
#include "support/sanitizer.h"
#include "support/temp_dir.h"

namespace zrv::test {
namespace {

// The probe reads and resets its peak resident size through /proc, which only Linux has;
// the loading code it measures is the same on Windows.
#ifndef _WIN32
// "peak rise N MiB (P RGBA copies), held after M MiB (H copies)" from the probe.
struct Copies {
    double peak = -1;
    double held = -1;
};

Copies Measure(const char* format) {
    TempDir tmp;
    ChildOptions options;
    options.env = {{"TMPDIR", tmp.Path()}, {"ZRV_IMAGE_FORMAT", format}, {"ZRV_IMAGE_SIDE", "4096"}};
    const ChildResult run = RunChild(TestProgram("image_memory_probe"), options);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("loaded 4096x4096, error 0"), std::string::npos) << run.out;
    Copies copies;
    const auto peak = run.out.find("MiB (");
    const auto held = run.out.find("MiB (", peak + 1);
    if (peak == std::string::npos || held == std::string::npos) return copies;
    copies.peak = std::stod(run.out.substr(peak + 5));
    copies.held = std::stod(run.out.substr(held + 5));
    return copies;
}

TEST(ImageMemory, ALargeJpegOrPngIsHeldOnceOnItsWayToTheTexture) {
#ifdef ZRV_ADDRESS_SANITIZER
    GTEST_SKIP() << "the sanitizer's allocator keeps freed memory and adds its own";
#endif
    for (const char* format : {"jpeg", "png"}) {
        const Copies copies = Measure(format);
        ASSERT_GE(copies.held, 0) << format;
        // The texture stays; the decoded pixels, flipped and padded where they lie, are the
        // one copy on the way. The mipmapped copy waits until geometry asks for it.
        EXPECT_LT(copies.peak - copies.held, 1.25) << format << ": peak " << copies.peak << ", held " << copies.held;
        EXPECT_LT(copies.peak, 2.25) << format;
    }
}

#endif

}  // namespace
}  // namespace zrv::test
