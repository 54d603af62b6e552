// The 2D renderer on llvmpipe, each figure beside a plain OpenGL baseline of the same run:
//   BM_GfxDrawSprites/N  N moving 32 x 32 alpha sprites a frame with DrawSprite, blended,
//                        smoothing as a program's frame starts with it: ms_per_frame; the
//                        same quads in immediate mode in the runtime's own context
//                        (same_context_ms_per_frame); and, from the bare OpenGL child in a
//                        window without depth or stencil buffer, immediate-mode quads and
//                        one vertex array (baseline_immediate_ms_per_frame,
//                        baseline_ms_per_frame, baseline_depth_bits); ratio = ms_per_frame /
//                        baseline_ms_per_frame. The processor time of the runtime's frames,
//                        of the same-context ones and of the baseline's vertex array
//                        (cpu_ms_per_frame, same_context_cpu_ms_per_frame,
//                        baseline_cpu_ms_per_frame, cpu_ratio_to_same_context, cpu_ratio)
//                        holds steadier than wall time while others use the machine.
//   BM_GfxDrawTextPage   80 x 40 characters with DrawText, a line a call: ms_per_frame; the
//                        same glyph quads from the font's texture in one vertex array
//                        (baseline_ms_per_frame) and the ratio.
//   BM_GfxDrawSpritesTakingTurns, BM_GfxFillRects, BM_GfxDrawLines  what gathering draws
//                        together costs at its worst (a texture change every sprite) and
//                        gains for rectangles and lines, each beside the same work drawn
//                        one by one.
// Then the small screen grabs the player makes 204 times a frame, and decoding large PNG
// and JPEG files.
//
// The drawing benchmarks need a display: run them as
//   scripts/with-xvfb.sh build/bench/zrv_bench --benchmark_filter=Gfx
// Without one they report an error and the decoding benchmarks still run. The figures are
// taken with with-xvfb.sh's LP_NUM_THREADS=0 (llvmpipe rasterising on the drawing
// thread); `scripts/with-xvfb.sh env -u LP_NUM_THREADS build/bench/zrv_bench ...` gives it
// its own threads, as on a user's machine.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "child_figures.h"
#include "children/loop_report.h"
#include "children/sprite_field.h"
#include "display/opengl_lumivane.h"
#include "gfx2d/image_codecs.h"
#include "gfx2d/presented_frame.h"
#include "gfx2d/quad_batch.h"
#include "runtime_window.h"
#include "support/image_builders.h"
#include "zorvane.h"

namespace {

using zrv::bench::kSpriteSide;
using zrv::bench::kSpriteSlot;
using zrv::bench::MonotonicMs;
using zrv::bench::RuntimeWindow;

struct FrameCost {
    double wallMs = 0;
    // The process's processor time: on a shared machine the steadier figure, as llvmpipe
    // rasterises on the drawing thread here.
    double cpuMs = 0;
};

// Wall and processor milliseconds per frame of draw(frame), each frame drawn to the end.
template <typename Draw>
FrameCost CostPerFrame(int frames, Draw draw) {
    const double start = MonotonicMs();
    const double cpuStart = zrv::bench::ProcessCpuMs();
    for (int frame = 0; frame < frames; ++frame) {
        draw(frame);
        zrv::FlushQuadBatch();
        glFinish();
    }
    return {(MonotonicMs() - start) / frames, (zrv::bench::ProcessCpuMs() - cpuStart) / frames};
}

template <typename Draw>
double MsPerFrame(int frames, Draw draw) {
    return CostPerFrame(frames, draw).wallMs;
}

// The runtime's figure beside the baseline's, as every drawing benchmark reports them.
void ReportAgainstBaseline(benchmark::State& state, double ms, double baselineMs) {
    state.counters["ms_per_frame"] = ms;
    state.counters["baseline_ms_per_frame"] = baselineMs;
    state.counters["ratio"] = baselineMs > 0 ? ms / baselineMs : 0;
}

// Textured quads with nothing of the runtime around them: one bind, immediate mode, in
// the runtime's own context and drawing state.
void SameContextQuads(int count, int frame) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(QuerySpriteTextureId(kSpriteSlot)));
    zrv::Renderer()->boundTexture = 0;
    zrv::bench::ImmediateSpriteQuads(count, frame);
}

void BM_GfxDrawSprites(benchmark::State& state) {
    if (!RuntimeWindow()) {
        state.SkipWithError("no display");
        return;
    }
    const int count = static_cast<int>(state.range(0));
    // The drawing state every frame of a program starts with, then blending on so that
    // the sprites' alpha counts, as in the baseline.
    PresentFrame();
    SetBlendAlpha(-1);
    int frames = 0;
    const double start = MonotonicMs();
    const double cpuStart = zrv::bench::ProcessCpuMs();
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            DrawSprite(kSpriteSlot, zrv::bench::SpriteX(i, frames), zrv::bench::SpriteY(i, frames));
        }
        zrv::FlushQuadBatch();
        glFinish();
        ++frames;
    }
    const double ms = (MonotonicMs() - start) / frames;
    const double cpuMs = (zrv::bench::ProcessCpuMs() - cpuStart) / frames;
    const FrameCost sameContext =
        CostPerFrame(std::max(frames, 3), [count](int frame) { SameContextQuads(count, frame); });
    SetBlendAlpha(0);
    const zrv::bench::ChildFigures baseline =
        zrv::bench::RunBenchChild(ZRV_BENCH_BARE_GL, {"sprites", std::to_string(count), "0.5"});
    if (!zrv::bench::RanChild(state, baseline, "the bare OpenGL child")) return;
    ReportAgainstBaseline(state, ms, baseline.Figure("array_ms_per_frame"));
    state.counters["same_context_ms_per_frame"] = sameContext.wallMs;
    state.counters["cpu_ms_per_frame"] = cpuMs;
    state.counters["same_context_cpu_ms_per_frame"] = sameContext.cpuMs;
    state.counters["cpu_ratio_to_same_context"] = sameContext.cpuMs > 0 ? cpuMs / sameContext.cpuMs : 0;
    const double baselineCpuMs = baseline.Figure("array_cpu_ms_per_frame");
    state.counters["baseline_cpu_ms_per_frame"] = baselineCpuMs;
    state.counters["cpu_ratio"] = baselineCpuMs > 0 ? cpuMs / baselineCpuMs : 0;
    state.counters["baseline_immediate_ms_per_frame"] = baseline.Figure("immediate_ms_per_frame");
    state.counters["baseline_depth_bits"] = baseline.Figure("depth_bits");
}
BENCHMARK(BM_GfxDrawSprites)->Arg(1000)->Arg(10000)->Arg(50000)->MinTime(1.0)->UseRealTime()->Unit(benchmark::kMillisecond);

constexpr int kPageColumns = 80;
constexpr int kPageRows = 40;
// The rows share the 480 lines of the window, overlapping when the cells are taller than
// 12 pixels (the start-up font's are 16), so that every character lands in it.
constexpr int kRowPitch = 480 / kPageRows;

// The page's glyph quads as DrawText lays them out, x, y, z, s, t a corner, from the font
// of the slot; one vertex array, one draw.
void GlyphPage(const std::string& line, std::int32_t fontSlot, std::vector<float>& vertices) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    QuerySpriteSizeInt(fontSlot, width, height);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(QuerySpriteTextureId(fontSlot)));
    zrv::Renderer()->boundTexture = 0;
    GLint texWidth = 1;
    GLint texHeight = 1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texHeight);
    const int rows = width < height ? 16 : 8;
    const float cw = static_cast<float>(width / 16);
    const float ch = static_cast<float>(height / rows);
    const float colStep = static_cast<float>(width) / static_cast<float>(texWidth) / 16;
    const float rowStep = static_cast<float>(height) / static_cast<float>(texHeight) / static_cast<float>(rows);
    vertices.resize(static_cast<std::size_t>(kPageColumns * kPageRows) * 20);
    float* v = vertices.data();
    for (int row = 0; row < kPageRows; ++row) {
        const auto y = static_cast<float>(row * kRowPitch);
        for (int column = 0; column < kPageColumns; ++column, v += 20) {
            const int code = static_cast<unsigned char>(line[static_cast<std::size_t>(column)]) % (rows * 16);
            const float x = static_cast<float>(column) * cw;
            const float s0 = colStep * static_cast<float>(code % 16);
            const float t0 = rowStep * static_cast<float>(rows - 1 - code / 16);
            const float quad[20] = {x, y + ch, 0, s0, t0, x + cw, y + ch, 0, s0 + colStep, t0,
                                    x + cw, y, 0, s0 + colStep, t0 + rowStep, x, y, 0, s0, t0 + rowStep};
            std::copy(std::begin(quad), std::end(quad), v);
        }
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 20, vertices.data());
    glTexCoordPointer(2, GL_FLOAT, 20, vertices.data() + 3);
    glDrawArrays(GL_QUADS, 0, kPageColumns * kPageRows * 4);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void BM_GfxDrawTextPage(benchmark::State& state) {
    if (!RuntimeWindow()) {
        state.SkipWithError("no display");
        return;
    }
    std::string line;
    for (int i = 0; i < kPageColumns; ++i) line += static_cast<char>('!' + i % 90);
    const RtString text = line.c_str();
    PresentFrame();
    int frames = 0;
    const double start = MonotonicMs();
    for (auto _ : state) {
        for (int row = 0; row < kPageRows; ++row) DrawText(text, 0, row * kRowPitch);
        zrv::FlushQuadBatch();
        glFinish();
        ++frames;
    }
    const double ms = (MonotonicMs() - start) / frames;
    // The start-up font, in font slot 0.
    constexpr std::int32_t kFontSlot = 65504;
    std::vector<float> vertices;
    const double baseline = MsPerFrame(std::max(frames, 3), [&](int) { GlyphPage(line, kFontSlot, vertices); });
    state.SetItemsProcessed(state.iterations() * kPageColumns * kPageRows);
    ReportAgainstBaseline(state, ms, baseline);
}
BENCHMARK(BM_GfxDrawTextPage)->UseRealTime()->Unit(benchmark::kMillisecond);

// Runs of one texture are what gathering draws together; sprites of two textures taking
// turns are its worst case, a draw per sprite. Beside them the same quads in immediate
// mode with a bind per sprite, in the runtime's context.
void BM_GfxDrawSpritesTakingTurns(benchmark::State& state) {
    if (!RuntimeWindow()) {
        state.SkipWithError("no display");
        return;
    }
    constexpr std::int32_t kSecondSlot = kSpriteSlot + 1;
    PresentFrame();
    DrawSprite(kSpriteSlot, 0, 0);
    GrabScreenToSprite(kSecondSlot, 0, 0, kSpriteSide, kSpriteSide);
    const int count = static_cast<int>(state.range(0));
    SetBlendAlpha(-1);
    int frames = 0;
    const double start = MonotonicMs();
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            DrawSprite(i % 2 == 0 ? kSpriteSlot : kSecondSlot, zrv::bench::SpriteX(i, frames),
                       zrv::bench::SpriteY(i, frames));
        }
        zrv::FlushQuadBatch();
        glFinish();
        ++frames;
    }
    const double ms = (MonotonicMs() - start) / frames;
    const GLuint textures[2] = {static_cast<GLuint>(QuerySpriteTextureId(kSpriteSlot)),
                                static_cast<GLuint>(QuerySpriteTextureId(kSecondSlot))};
    const double immediate = MsPerFrame(std::max(frames, 3), [count, &textures](int frame) {
        glEnable(GL_TEXTURE_2D);
        zrv::bench::ImmediateSpriteQuads(count, frame, [&textures](int i) { glBindTexture(GL_TEXTURE_2D, textures[i % 2]); });
    });
    zrv::Renderer()->boundTexture = 0;
    SetBlendAlpha(0);
    ReportAgainstBaseline(state, ms, immediate);
}
BENCHMARK(BM_GfxDrawSpritesTakingTurns)->Arg(10000)->MinTime(1.0)->UseRealTime()->Unit(benchmark::kMillisecond);

// 10,000 primitives a frame, each in a colour of its own, through the runtime (draw) and,
// beside them, one by one in the primitives' state of their own (alpha test off, no
// texture, projection moved to pixel centres, immediate mode, state back) as the runtime
// drew them before it gathered (oneByOne).
template <typename Draw, typename OneByOne>
void PrimitivesAgainstOneByOne(benchmark::State& state, Draw draw, OneByOne oneByOne) {
    if (!RuntimeWindow()) {
        state.SkipWithError("no display");
        return;
    }
    constexpr int kCount = 10000;
    PresentFrame();
    int frames = 0;
    const double start = MonotonicMs();
    for (auto _ : state) {
        for (int i = 0; i < kCount; ++i) draw(i, frames);
        zrv::FlushQuadBatch();
        glFinish();
        ++frames;
    }
    const double ms = (MonotonicMs() - start) / frames;
    const double before = MsPerFrame(std::max(frames, 3), [&oneByOne](int frame) {
        for (int i = 0; i < kCount; ++i) {
            glDisable(GL_ALPHA_TEST);
            glBindTexture(GL_TEXTURE_2D, 0);
            glMatrixMode(GL_PROJECTION);
            glPushMatrix();
            glTranslatef(0.375f, 0.375f, 0.0f);
            glMatrixMode(GL_MODELVIEW);
            oneByOne(i, frame);
            glMatrixMode(GL_PROJECTION);
            glPopMatrix();
            glMatrixMode(GL_MODELVIEW);
            glColor4f(1, 1, 1, 1);
            glEnable(GL_ALPHA_TEST);
        }
    });
    zrv::Renderer()->boundTexture = 0;
    state.counters["ms_per_frame"] = ms;
    state.counters["one_by_one_ms_per_frame"] = before;
    state.counters["ratio"] = before > 0 ? ms / before : 0;
}

int PrimitiveColour(int i, int frame) { return (i * 40503 + frame * 977) & 0xFFFFFF; }

void ColourOf(int i, int frame) {
    const int c = PrimitiveColour(i, frame);
    glColor4ub(static_cast<GLubyte>(c & 0xFF), static_cast<GLubyte>(c >> 8 & 0xFF), static_cast<GLubyte>(c >> 16 & 0xFF),
               255);
}

// 16 x 16 rectangles with FillRect.
void BM_GfxFillRects(benchmark::State& state) {
    constexpr int kSide = 16;
    PrimitivesAgainstOneByOne(
        state,
        [](int i, int frame) {
            FillRect(zrv::bench::SpriteX(i, frame), zrv::bench::SpriteY(i, frame), kSide, kSide, PrimitiveColour(i, frame));
        },
        [](int i, int frame) {
            ColourOf(i, frame);
            const auto left = static_cast<float>(zrv::bench::SpriteX(i, frame));
            const auto top = static_cast<float>(zrv::bench::SpriteY(i, frame));
            glBegin(GL_TRIANGLE_FAN);
            glVertex2f(left, top + kSide);
            glVertex2f(left + kSide, top + kSide);
            glVertex2f(left + kSide, top);
            glVertex2f(left, top);
            glEnd();
        });
}
BENCHMARK(BM_GfxFillRects)->MinTime(1.0)->UseRealTime()->Unit(benchmark::kMillisecond);

// Lines 20 pixels across and 10 down with DrawLineSegment.
void BM_GfxDrawLines(benchmark::State& state) {
    PrimitivesAgainstOneByOne(
        state,
        [](int i, int frame) {
            const int x = zrv::bench::SpriteX(i, frame);
            const int y = zrv::bench::SpriteY(i, frame);
            DrawLineSegment(x, y, x + 20, y + 10, PrimitiveColour(i, frame));
        },
        [](int i, int frame) {
            ColourOf(i, frame);
            const int x = zrv::bench::SpriteX(i, frame);
            const int y = zrv::bench::SpriteY(i, frame);
            glBegin(GL_LINES);
            glVertex2i(x, y);
            glVertex2i(x + 20, y + 10);
            glEnd();
            glBegin(GL_POINTS);
            glVertex2i(x + 20, y + 10);
            glEnd();
        });
}
BENCHMARK(BM_GfxDrawLines)->MinTime(1.0)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_GfxGrabSmallArea(benchmark::State& state) {
    if (!RuntimeWindow()) {
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
    if (!RuntimeWindow()) {
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
