// The process's random numbers: the ISAAC generator with the runtime's own seeding passes.
#include <cstdint>

#include "core/random_state.h"
#include "zorvane/maths.h"

namespace {

constexpr std::uint32_t kGoldenRatio = 0x9e3779b9u;

struct MixWords {
    std::uint32_t a, b, c, d, e, f, g, h;
};

void Mix(MixWords& w) noexcept {
    w.a ^= w.b << 11; w.d += w.a; w.b += w.c;
    w.b ^= w.c >> 2;  w.e += w.b; w.c += w.d;
    w.c ^= w.d << 8;  w.f += w.c; w.d += w.e;
    w.d ^= w.e >> 16; w.g += w.d; w.e += w.f;
    w.e ^= w.f << 10; w.h += w.e; w.f += w.g;
    w.f ^= w.g >> 4;  w.a += w.f; w.g += w.h;
    w.g ^= w.h << 8;  w.b += w.g; w.h += w.a;
    w.h ^= w.a >> 9;  w.c += w.h; w.a += w.b;
}

void AddBlock(MixWords& w, const std::uint32_t* block) noexcept {
    w.a += block[0]; w.b += block[1]; w.c += block[2]; w.d += block[3];
    w.e += block[4]; w.f += block[5]; w.g += block[6]; w.h += block[7];
}

void StoreBlock(const MixWords& w, std::uint32_t* block) noexcept {
    block[0] = w.a; block[1] = w.b; block[2] = w.c; block[3] = w.d;
    block[4] = w.e; block[5] = w.f; block[6] = w.g; block[7] = w.h;
}

}  // namespace

std::uint32_t NextRandom() noexcept {
    zrv::RandomState& r = zrv::Random();
    std::uint32_t* const mm = r.state;
    std::uint32_t a = r.accumulator;
    r.counter += 1;
    std::uint32_t b = r.lastResult + r.counter;

    // One step; the shift alternates with i mod 4, so the loop is unrolled by four to make
    // every shift a constant.
    auto step = [&](std::uint32_t i, std::uint32_t mixed) noexcept {
        const std::uint32_t x = mm[i];
        a = mixed + mm[(i + 128) & 255];
        const std::uint32_t y = mm[(x >> 2) & 255] + a + b;
        mm[i] = y;
        b = mm[(y >> 10) & 255] + x;
        r.results[i] = b;
    };
    for (std::uint32_t i = 0; i < 256; i += 4) {
        step(i, a ^ (a << 13));
        step(i + 1, a ^ (a >> 6));
        step(i + 2, a ^ (a << 2));
        step(i + 3, a ^ (a >> 16));
    }

    r.accumulator = a;
    r.lastResult = b;
    return r.results[0];
}

void InitRandom(std::int32_t seed) noexcept {
    zrv::RandomState& r = zrv::Random();
    r.accumulator = r.lastResult = r.counter = 0;
    MixWords w{kGoldenRatio, kGoldenRatio, kGoldenRatio, kGoldenRatio,
               kGoldenRatio, kGoldenRatio, kGoldenRatio, kGoldenRatio};
    const std::uint32_t seedWord = static_cast<std::uint32_t>(seed);

    for (int i = 0; i < 256; i += 8) {
        w.a += seedWord;
        Mix(w);
        StoreBlock(w, &r.state[i]);
    }
    for (int i = 0; i < 4; ++i) Mix(w);
    // The results of earlier rounds are deliberately kept: they make a re-seed depend on
    // what was drawn before it.
    for (int i = 0; i < 256; i += 8) {
        AddBlock(w, &r.results[i]);
        Mix(w);
        StoreBlock(w, &r.state[i]);
    }
    for (int i = 0; i < 256; i += 8) {
        AddBlock(w, &r.state[i]);
        Mix(w);
        StoreBlock(w, &r.state[i]);
    }

    NextRandom();
    r.resultCount = 256;
}

std::int32_t RandomInt(std::int32_t n) noexcept {
    if (n <= 0) return 0;
    // n + 1 in unsigned arithmetic: 2^31 for the largest n, where signed addition would
    // overflow. The result is at most n and so fits back into int32.
    const std::uint32_t range = static_cast<std::uint32_t>(n) + 1u;
    return static_cast<std::int32_t>(NextRandom() % range);
}

void SeedRandom(std::int32_t seed) noexcept { InitRandom(seed); }
