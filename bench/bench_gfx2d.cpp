// The 2D renderer on llvmpipe: sprites a 60 fps frame holds (against the same quads drawn
// by a minimal OpenGL loop in the same run), a page of text, the small screen grabs the
// player makes 204 times a frame, and decoding large PNG and JPEG files.
//
// The drawing benchmarks need a display: run them as
//   scripts/with-xvfb.sh build/bench/zrv_bench --benchmark_filter=Gfx
// Without one they report an error and the decoding benchmarks still run.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/opengl_lumivane.h"
#include "gfx2d/image_codecs.h"
#include "gfx2d/presented_frame.h"
#include "support/image_builders.h"
#include "zorvane.h"

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;
constexpr int kSpriteSide = 32;
constexpr std::int32_t kSpriteSlot = 100;

// The runtime with its window, started once for all drawing benchmarks.
bool Display() {
    static const bool ready = [] {
        if (std::getenv("DISPLAY") == nullptr) return false;
        StartRuntime(1, "Zorvane benchmark");
        auto* renderer = zrv::Renderer();
        if (renderer == nullptr || renderer->ready == 0) return false;
        std::vector<std::uint8_t> bgr(kSpriteSide * kSpriteSide * 3);
        for (std::size_t i = 0; i < bgr.size(); ++i) bgr[i] = static_cast<std::uint8_t>(i * 7);
        std::vector<std::uint8_t> png;
        zrv::EncodePng({bgr.data(), kSpriteSide, kSpriteSide, kSpriteSide}, zrv::KeyInFramebuffer{}, png);
        const RtString name = RegisterMemoryFile(png.data(), static_cast<std::int32_t>(png.size()));
        LoadSpriteImage(name, kSpriteSlot);
        ReleaseMemoryFile(name);
        return true;
    }();
    return ready;
}

// Pseudo-random but repeatable sprite positions inside 640 x 480.
int PositionX(int i) { return (i * 7919) % (640 - kSpriteSide); }
int PositionY(int i) { return (i * 104729) % (480 - kSpriteSide); }

void ReportSpritesPerFrame(benchmark::State& state, int count) {
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["sprites_per_frame_at_60fps"] =
        benchmark::Counter(count * kFrameMs / 1000.0 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_GfxDrawSprites(benchmark::State& state) {
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) DrawSprite(kSpriteSlot, PositionX(i), PositionY(i));
        glFinish();
    }
    ReportSpritesPerFrame(state, count);
}
BENCHMARK(BM_GfxDrawSprites)->Arg(1000)->Arg(4000)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same textured quads with nothing around them: one bind, immediate mode.
void BM_GfxRawQuads(benchmark::State& state) {
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    const int count = static_cast<int>(state.range(0));
    const auto texture = static_cast<GLuint>(QuerySpriteTextureId(kSpriteSlot));
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    zrv::Renderer()->boundTexture = 0;
    const float s1 = 1.0f, t1 = 1.0f;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            const auto x = static_cast<float>(PositionX(i));
            const auto y = static_cast<float>(PositionY(i));
            glBegin(GL_QUADS);
            glTexCoord2f(s1, t1);
            glVertex2f(x + kSpriteSide, y);
            glTexCoord2f(0, t1);
            glVertex2f(x, y);
            glTexCoord2f(0, 0);
            glVertex2f(x, y + kSpriteSide);
            glTexCoord2f(s1, 0);
            glVertex2f(x + kSpriteSide, y + kSpriteSide);
            glEnd();
        }
        glFinish();
    }
    ReportSpritesPerFrame(state, count);
}
BENCHMARK(BM_GfxRawQuads)->Arg(1000)->Arg(4000)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_GfxDrawTextPage(benchmark::State& state) {
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    std::string line;
    for (int i = 0; i < 80; ++i) line += static_cast<char>('!' + i % 90);
    const RtString text = line.c_str();
    for (auto _ : state) {
        // 25 lines of 80: a page of 2,000 characters.
        for (int row = 0; row < 25; ++row) DrawText(text, 0, row * 16);
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_GfxDrawTextPage)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_GfxGrabSmallArea(benchmark::State& state) {
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        GrabScreenToSprite(200 + i % 204, (i * 21) % 600, (i * 11) % 460, 21, 11);
        ++i;
    }
    glFinish();
    state.SetItemsProcessed(state.iterations());
    // Seconds per grab, times 204 grabs, in milliseconds.
    state.counters["ms_for_204_grabs"] =
        benchmark::Counter(static_cast<double>(state.iterations()) / (204.0 * 1000.0),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_GfxGrabSmallArea)->UseRealTime()->Unit(benchmark::kMicrosecond);

// What every buffer swap adds for SaveScreenImage: the finished frame copied aside.
void BM_GfxKeepPresentedFrame(benchmark::State& state) {
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    auto& renderer = *zrv::Renderer();
    for (auto _ : state) {
        zrv::KeepPresentedFrame(renderer);
        glFinish();
    }
}
BENCHMARK(BM_GfxKeepPresentedFrame)->UseRealTime()->Unit(benchmark::kMicrosecond);

// A 1024 x 1024 picture with smooth areas and detail, as photographs and drawings have.
std::vector<std::uint8_t> Picture() {
    std::vector<std::uint8_t> rgb(1024 * 1024 * 3);
    std::uint32_t noise = 12345;
    for (int y = 0; y < 1024; ++y) {
        for (int x = 0; x < 1024; ++x) {
            noise = noise * 1103515245 + 12345;
            std::uint8_t* p = rgb.data() + (static_cast<std::size_t>(y) * 1024 + x) * 3;
            p[0] = static_cast<std::uint8_t>(x / 4);
            p[1] = static_cast<std::uint8_t>(y / 4);
            p[2] = static_cast<std::uint8_t>(((x ^ y) & 0x40 ? 200 : 40) + (noise >> 28));
        }
    }
    return rgb;
}

void BM_GfxDecodePng1024(benchmark::State& state) {
    std::vector<std::uint8_t> rgb = Picture();
    for (std::size_t i = 0; i < rgb.size(); i += 3) std::swap(rgb[i], rgb[i + 2]);  // to blue, green, red
    std::vector<std::uint8_t> file;
    zrv::EncodePng({rgb.data(), 1024, 1024, 1024}, zrv::KeyInFramebuffer{}, file);
    zrv::DecodedImage image;
    for (auto _ : state) {
        if (!zrv::DecodePng(file, "bench.png", zrv::kNoKeyColour, image)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
    state.counters["file_kib"] = static_cast<double>(file.size()) / 1024;
}
BENCHMARK(BM_GfxDecodePng1024)->Unit(benchmark::kMillisecond);

void BM_GfxDecodeJpeg1024(benchmark::State& state) {
    const std::vector<std::uint8_t> rgb = Picture();
    const std::vector<std::uint8_t> file = zrv::test::MakeJpeg(1024, 1024, 3, rgb, 90);

    zrv::DecodedImage image;
    for (auto _ : state) {
        if (!zrv::DecodeJpeg(file, image)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
    state.counters["file_kib"] = static_cast<double>(file.size()) / 1024;
}
BENCHMARK(BM_GfxDecodeJpeg1024)->Unit(benchmark::kMillisecond);

}  // namespace
