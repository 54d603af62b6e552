// Background layers: full-screen images cut into tiles. Layer 0 is drawn under every frame.
#pragma once

#include <cstdint>
#include <string>

namespace zrv {

class OpenGLLumivane;

// Deletes the layer's tiles; the layer then draws nothing.
void EmptyLayer(std::int32_t layer);
void DrawLayer(OpenGLLumivane& renderer, std::int32_t layer);
// Decodes the (resolved) file without a transparent colour into the layer; an image larger
// than 8 x 8 tiles is clipped to them. False (layer empty) when it cannot be loaded.
bool LoadLayerImage(std::int32_t layer, const std::string& usableName);
// Covers the screen with tiles copied from the back buffer.
void GrabScreenIntoLayer(OpenGLLumivane& renderer, std::int32_t layer);

}  // namespace zrv
