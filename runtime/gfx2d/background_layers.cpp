#include "gfx2d/background_layers.h"

#include <GL/gl.h>

#include <algorithm>
#include <new>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/image_files.h"
#include "gfx2d/screen_grab.h"
#include "gfx2d/texture_upload.h"

namespace zrv {

namespace {

constexpr std::int32_t kLoadTileLimit = 512;
constexpr std::int32_t kGrabTileStart = 128;

BackgroundLayer* Layer(std::int32_t layer) {
    if (layer < 0 || layer >= kBackgroundLayers) return nullptr;
    return &Gfx().layers[static_cast<std::size_t>(layer)];
}

LayerTile& TileAt(BackgroundLayer& layer, std::int32_t column, std::int32_t row) {
    return layer.tiles[static_cast<std::size_t>(row * kMaxLayerTiles + column)];
}

}  // namespace

void EmptyLayer(std::int32_t index) {
    BackgroundLayer* layer = Layer(index);
    if (layer == nullptr) return;
    const bool canDelete = DrawingRenderer() != nullptr;
    for (LayerTile& tile : layer->tiles) {
        if (canDelete) DeleteTexture(tile.texture);
        tile = LayerTile{};
    }
    layer->columns = layer->rows = layer->tileSize = 0;
}

void DrawLayer(OpenGLLumivane& renderer, std::int32_t index) {
    BackgroundLayer* layer = Layer(index);
    if (layer == nullptr || layer->columns == 0 || layer->rows == 0) return;
    glDisable(GL_ALPHA_TEST);
    for (std::int32_t row = 0; row < layer->rows; ++row) {
        for (std::int32_t column = 0; column < layer->columns; ++column) {
            const LayerTile& tile = TileAt(*layer, column, row);
            if (tile.texture == 0) continue;
            BindTextureNearest(renderer, tile.texture);
            const auto left = static_cast<float>(column * layer->tileSize);
            const auto top = static_cast<float>(row * layer->tileSize);
            DrawQuad(left, top, left + static_cast<float>(tile.drawnWidth), top + static_cast<float>(tile.drawnHeight), 0, 0,
                     static_cast<float>(tile.drawnWidth) / static_cast<float>(tile.texWidth),
                     static_cast<float>(tile.drawnHeight) / static_cast<float>(tile.texHeight));
        }
    }
    glEnable(GL_ALPHA_TEST);
    // Sprites drawn next bind their own texture and filter again.
    renderer.boundTexture = 0;
}

bool LoadLayerImage(std::int32_t index, const std::string& usableName) {
    EmptyLayer(index);
    BackgroundLayer* layer = Layer(index);
    if (layer == nullptr) return false;
    DecodedImage image;
    if (!ReadImage(image, usableName, kNoKeyColour)) return false;
    OpenGLLumivane* renderer = DrawingRenderer();
    if (renderer == nullptr) return true;

    const std::int32_t tileSize = std::min(MaxTextureSize(), kLoadTileLimit);
    // Only 8 x 8 tiles fit the layer; the rest of a larger image is cut off.
    const std::int32_t columns = std::min((image.width + tileSize - 1) / tileSize, kMaxLayerTiles);
    const std::int32_t rows = std::min((image.height + tileSize - 1) / tileSize, kMaxLayerTiles);
    try {
        for (std::int32_t row = 0; row < rows; ++row) {
            for (std::int32_t column = 0; column < columns; ++column) {
                UploadedTexture uploaded;
                if (!UploadImage(*renderer, image, column * tileSize, row * tileSize, tileSize, tileSize, UploadOptions{},
                                 uploaded)) {
                    continue;
                }
                TileAt(*layer, column, row) =
                    LayerTile{uploaded.texture, uploaded.texWidth, uploaded.texHeight, uploaded.width, uploaded.height};
            }
        }
    } catch (const std::bad_alloc&) {
        EmptyLayer(index);
        return false;
    }
    layer->tileSize = tileSize;
    layer->columns = columns;
    layer->rows = rows;
    return true;
}

void GrabScreenIntoLayer(OpenGLLumivane& renderer, std::int32_t index) {
    BackgroundLayer* layer = Layer(index);
    if (layer == nullptr) return;
    const std::int32_t maxSize = MaxTextureSize();
    const std::int32_t screenSide = std::max(renderer.width, renderer.height);
    std::int32_t tileSize = kGrabTileStart;
    while (tileSize < screenSide && tileSize < maxSize) tileSize *= 2;
    const std::int32_t columns = std::min((renderer.width + tileSize - 1) / tileSize, kMaxLayerTiles);
    const std::int32_t rows = std::min((renderer.height + tileSize - 1) / tileSize, kMaxLayerTiles);

    SelectReadBuffer();
    for (std::int32_t row = 0; row < kMaxLayerTiles; ++row) {
        for (std::int32_t column = 0; column < kMaxLayerTiles; ++column) {
            LayerTile& tile = TileAt(*layer, column, row);
            if (row >= rows || column >= columns) {
                DeleteTexture(tile.texture);
                tile = LayerTile{};
                continue;
            }
            if (tile.texture == 0 || tile.texWidth != tileSize || tile.texHeight != tileSize) {
                DeleteTexture(tile.texture);
                tile.texture = NewTexture(renderer, GL_LINEAR, GL_LINEAR);
                glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tileSize, tileSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
                tile.texWidth = tile.texHeight = tileSize;
            } else {
                BindForChange(renderer, tile.texture);
            }
            const std::int32_t left = column * tileSize;
            const std::int32_t top = row * tileSize;
            tile.drawnWidth = std::min(tileSize, renderer.width - left);
            tile.drawnHeight = std::min(tileSize, renderer.height - top);
            glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, left, renderer.height - top - tile.drawnHeight, tile.drawnWidth,
                                tile.drawnHeight);
        }
    }
    layer->tileSize = tileSize;
    layer->columns = columns;
    layer->rows = rows;
}

}  // namespace zrv
