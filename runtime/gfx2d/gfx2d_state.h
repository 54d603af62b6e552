// What the 2D renderer keeps for the process: the sprite table, background layers,
// virtual screens, the transparent colours, the current font and the reusable buffers.
// Held by the runtime state beside the renderer; GL names are plain integers here so that
// no GL header is needed to hold them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace zrv {

constexpr std::int32_t kSpriteSlots = 65536;
constexpr std::int32_t kFirstFontSlot = 65504;
constexpr std::int32_t kFontSlots = 32;
// The copy-based virtual screen parks the screen's corner here while it is drawn over.
constexpr std::int32_t kScratchSlot = 65503;
constexpr std::int32_t kVirtualScreens = 32;
constexpr std::int32_t kBackgroundLayers = 8;
constexpr std::int32_t kMaxLayerTiles = 8;
constexpr std::int32_t kDefaultSpriteKey = 0x8000FF;

struct SpriteRecord {
    std::uint32_t texture = 0;
    // A square mipmapped copy for texturing geometry; sprite slots only, made on first use
    // while mipPending is set.
    std::uint32_t mipTexture = 0;
    bool mipPending = false;
    std::int32_t texWidth = -1;
    std::int32_t texHeight = -1;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t frameWidth = 0;
    std::int32_t frameHeight = 0;
    // Level 0's alpha bytes, texWidth x texHeight, read back for collision tests on demand.
    std::vector<std::uint8_t> alphaCopy;
};

// The 65,536 sprite and font slots, made a block of slots at a time on first use: a
// program touches a few of them, and the whole table would hold 4 MiB from the start.
class SpriteTable {
public:
    static constexpr std::size_t kBlockSlots = 256;

    SpriteRecord& operator[](std::size_t slot) {
        auto& block = blocks_[slot / kBlockSlots];
        if (!block) block = std::make_unique<SpriteRecord[]>(kBlockSlots);
        return block[slot % kBlockSlots];
    }
    // The slot when its block was made, else null: an empty slot, read without making it.
    const SpriteRecord* Peek(std::size_t slot) const noexcept {
        const auto& block = blocks_[slot / kBlockSlots];
        return block ? &block[slot % kBlockSlots] : nullptr;
    }
    template <class Visit>
    void ForEachMade(Visit visit) {
        for (auto& block : blocks_) {
            if (!block) continue;
            for (std::size_t i = 0; i < kBlockSlots; ++i) visit(block[i]);
        }
    }

private:
    std::array<std::unique_ptr<SpriteRecord[]>, kSpriteSlots / kBlockSlots> blocks_;
};

struct LayerTile {
    std::uint32_t texture = 0;
    std::int32_t texWidth = 0;
    std::int32_t texHeight = 0;
    std::int32_t drawnWidth = 0;
    std::int32_t drawnHeight = 0;
};

struct BackgroundLayer {
    std::array<LayerTile, kMaxLayerTiles * kMaxLayerTiles> tiles{};
    std::int32_t tileSize = 0;  // the side of a tile's place on the screen
    std::int32_t columns = 0;
    std::int32_t rows = 0;
};

struct VirtualScreen {
    std::uint32_t framebuffer = 0;
    std::uint32_t depthBuffer = 0;
    std::int32_t savedBinding = 0;
    // Non-zero only while the framebuffer object exists.
    std::int32_t texWidth = 0;
    std::int32_t texHeight = 0;
    std::int32_t slot = -1;
};

// 32 bytes: position, texture position, colour.
struct PolygonVertex {
    float x, y, s, t, red, green, blue, alpha;
};

// 20 bytes: position, texture position, colour (used by untextured runs only).
struct BatchVertex {
    float x, y, s, t;
    std::uint8_t red, green, blue, alpha;
};

// Corners gathered for one draw (quad_batch.h). 8,192 corners are 160 KB: large enough
// that a draw call is a small part of what its quads cost, small enough to stay in cache.
constexpr std::int32_t kBatchCorners = 8192;
struct DrawBatch {
    // Left unwritten: a program that draws little never touches most of it.
    DrawBatch() : corners(std::make_unique_for_overwrite<BatchVertex[]>(kBatchCorners)) {}
    std::unique_ptr<BatchVertex[]> corners;
    std::int32_t count = 0;
    std::uint8_t run = 0;  // a BatchRun
    // Every draw goes out as it is made (quad_batch.h, DrawEachAtOnce).
    bool eachAtOnce = false;
};

// The framebuffer's look of a transparent colour, found by drawing it once.
struct KeyProbe {
    bool valid = false;
    std::int32_t key = 0;
    std::int32_t framebuffer = 0;
    std::uint8_t bgr[3] = {0, 0, 0};
};

// The frame shown by the last buffer swap, copied just before it: the front buffer of a
// software renderer cannot be read back.
struct PresentedFrame {
    std::uint32_t texture = 0;
    std::int32_t texWidth = 0;
    std::int32_t texHeight = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct Gfx2dState {
    SpriteTable sprites;
    std::array<BackgroundLayer, kBackgroundLayers> layers{};
    std::array<VirtualScreen, kVirtualScreens> targets{};
    std::int32_t activeTarget = -1;

    std::int32_t spriteKey = kDefaultSpriteKey;
    std::int32_t fontKey = 0;
    std::int32_t currentFont = 0;

    std::vector<PolygonVertex> polygon;
    std::int32_t polygonSlot = -1;
    DrawBatch batch;
    std::vector<std::uint8_t> grabScratch;
    KeyProbe keyProbe;
    PresentedFrame presented;
    // The bound texture's filter as last set by the renderer; -1 while not known.
    std::int32_t boundFilter = -1;
    // The bound texture's edges were clamped by the renderer since it was bound.
    bool boundClamped = false;
};

Gfx2dState& Gfx() noexcept;

}  // namespace zrv
