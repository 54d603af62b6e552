// The runtime started inside the benchmark process with its default 640 x 480 window, as
// the drawing and frame benchmarks need it, with a 32 x 32 alpha sprite (a disc, clear
// around it) in kSpriteSlot. Started once, by the first benchmark that asks.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "children/sprite_field.h"
#include "display/opengl_lumivane.h"
#include "gfx2d/image_codecs.h"
#include "zorvane.h"

namespace zrv::bench {

constexpr std::int32_t kSpriteSlot = 100;

inline bool RuntimeWindow() {
    static const bool ready = [] {
        if (std::getenv("DISPLAY") == nullptr) return false;
        StartRuntime(1, "Zorvane benchmark");
        auto* renderer = zrv::Renderer();
        if (renderer == nullptr || renderer->ready == 0) return false;
        SetAutoPause(0);
        // The clear pixels carry the key's green and blue; the PNG gives them alpha 0.
        const zrv::KeyInFramebuffer key{0x40, 0x00, 0xFF};
        std::vector<std::uint8_t> bgr(kSpriteSide * kSpriteSide * 3);
        for (int y = 0; y < kSpriteSide; ++y) {
            for (int x = 0; x < kSpriteSide; ++x) {
                std::uint8_t* p = &bgr[static_cast<std::size_t>(y * kSpriteSide + x) * 3];
                const bool opaque = SpriteTexelOpaque(x, y);
                p[0] = opaque ? 160 : key.blue;
                p[1] = opaque ? static_cast<std::uint8_t>(y * 8 + 1) : key.green;
                p[2] = opaque ? static_cast<std::uint8_t>(x * 8) : key.red;
            }
        }
        std::vector<std::uint8_t> png;
        zrv::EncodePng({bgr.data(), kSpriteSide, kSpriteSide, kSpriteSide}, key, png);
        const RtString name = RegisterMemoryFile(png.data(), static_cast<std::int32_t>(png.size()));
        LoadSpriteImage(name, kSpriteSlot);
        const bool loaded = GetErrorState().errorCode == 0;
        ReleaseMemoryFile(name);
        return loaded;
    }();
    return ready;
}

}  // namespace zrv::bench
