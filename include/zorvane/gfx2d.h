// 2D drawing: rectangles, lines and pixels, sprites (numbered images in slots 0..65535, of
// which 65504..65535 hold the fonts), background layers, textured polygons and virtual
// screens. Coordinates are pixels of the view, origin at its top left, y growing downward.
// Colours are packed as red + green * 256 + blue * 65536; drawing in the transparent
// colour (initially red 255, green 0, blue 128) leaves no mark where transparency applies.
//
// Loading commands set the error code to 0, or to 3 when the name does not resolve, the
// image cannot be decoded or the slot number lies outside 0..65535; the slot is then left
// empty. Drawing a slot outside that range, or an empty one, draws nothing.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// Empties background layer 0 and clears the colour buffer.
void ClearBackBuffer();
// 0: blending off; above 0: additive; below 0: translucent. The magnitude, at most 1, is
// the alpha sprites and colours are drawn with.
void SetBlendAlpha(double alpha);
// Non-zero: sprites are filtered bilinearly (the default each frame), 0: nearest texel.
// Bilinear filtering reads four texels for every pixel where nearest reads one: on a
// software renderer a frame of many sprites takes about a quarter longer with it, on a
// graphics card next to nothing.
void SetSmoothing(std::int32_t flag);
// The transparent colour of sprite and font images loaded from now on.
void SetTransparentColour(std::int32_t colour);

// One pixel in the packed colour.
void PlotPixel(std::int32_t x, std::int32_t y, std::int32_t colour);
// Both end pixels included.
void DrawLineSegment(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t colour);
// A negative width covers x + width + 1 .. x + 1 (height likewise).
void FillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, std::int32_t colour);
// The packed colour of a pixel of the back buffer, or of the active virtual screen.
std::int32_t ReadPixelColour(std::int32_t x, std::int32_t y);

// Loads the image file into the sprite slot.
void LoadSpriteImage(const RtString& fileName, std::int32_t slot);
// Loads the image and, when it loaded, gives it frames of frameWidth x frameHeight,
// numbered left to right and top to bottom.
void LoadAnimatedSprite(const RtString& fileName, std::int32_t slot, std::int32_t frameWidth,
                        std::int32_t frameHeight);
// Loads the image as a normal map made from its blue channel as heights.
void LoadBumpTexture(const RtString& fileName, std::int32_t slot);

// The slot's image unscaled, its top-left corner at x, y.
void DrawSprite(std::int32_t slot, std::int32_t x, std::int32_t y);
// A negative width or height mirrors the image; both negative turn it by 180 degrees.
void DrawSpriteStretched(std::int32_t slot, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
// Scaled about the centre of the unscaled placement.
void DrawSpriteZoomed(std::int32_t slot, std::int32_t x, std::int32_t y, double scaleX, double scaleY);
// Turned by angle degrees about its centre.
void DrawSpriteRotatedScaled(std::int32_t slot, std::int32_t x, std::int32_t y, double angle);
// Turned by angle degrees and scaled about its centre.
void DrawSpriteRotoZoom(std::int32_t slot, std::int32_t x, std::int32_t y, double angle, double scale);
// Frames of an animated sprite; nothing is drawn while the slot has no frame size.
void DrawSpriteFrame(std::int32_t slot, std::int32_t frame, std::int32_t x, std::int32_t y);
// One frame, turned by angle degrees and scaled about its centre.
void DrawSpriteFrameRotoZoom(std::int32_t slot, std::int32_t frame, std::int32_t x, std::int32_t y, double angle,
                             double scale);
// One frame, stretched to width x height.
void DrawSpriteFrameStretched(std::int32_t slot, std::int32_t frame, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height);

// 1 when the two images placed at their positions share a pixel that is not transparent
// in either, else 0.
std::int32_t SpritesCollide(std::int32_t slotA, std::int32_t xA, std::int32_t yA, std::int32_t slotB,
                            std::int32_t xB, std::int32_t yB);
// As SpritesCollide, for one frame of each sprite.
std::int32_t SpriteFramesCollide(std::int32_t slotA, std::int32_t frameA, std::int32_t xA, std::int32_t yA,
                                 std::int32_t slotB, std::int32_t frameB, std::int32_t xB, std::int32_t yB);

// Width and height of the slot's image; 0, 0 for an empty slot.
void QuerySpriteSize(double slot, double& width, double& height);
// Width and height of the slot's image, as integers.
void QuerySpriteSizeInt(std::int32_t slot, std::int32_t& width, std::int32_t& height);
// The OpenGL texture name of the slot's image, 0 when it has none.
double QuerySpriteTextureId(std::int32_t slot);
// The lowest empty slot from 0 to 65503, or -1 when all hold images.
std::int32_t FindFreeSprite();

// Copies a rectangle of the back buffer into a slot; pixels in the transparent colour
// become transparent.
void GrabScreenToSprite(std::int32_t slot, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
// Background layer 0 is drawn under every frame; these fill it from the screen or a file.
void GrabScreenToBackground();
// Loads the image file into background layer 0 and draws it.
void LoadBackgroundImage(const RtString& fileName);
// Cross-fades from the screen to the image over 1.5 seconds, presenting frames, then keeps
// the image as the background.
void LoadBackgroundFaded(const RtString& fileName);

// A polygon drawn as a triangle fan: textured by the slot's image, or untextured for -1.
// Texture positions are pixels of the image, y downward. Vertices run counter-clockwise as
// seen on the screen; a polygon wound the other way shows its back and is not drawn.
void BeginPolygon(std::int32_t slot);
// Adds a vertex at x, y with its texture position and colour.
void AddPolygonVertex(std::int32_t x, std::int32_t y, std::int32_t textureX, std::int32_t textureY,
                      std::int32_t colour);
// Draws the polygon begun with BeginPolygon.
void EndPolygon();

// Virtual screens 0..31: offscreen targets that draw into a sprite slot of width x height.
void CreateVirtualScreen(std::int32_t target, std::int32_t slot, std::int32_t width, std::int32_t height);
// Directs drawing into the target; a negative target returns to the screen.
void UseVirtualScreen(std::int32_t target);

// A view of width x height at x, y of the window (0 or less: the whole window).
void SetViewport(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
// Position and size of the view.
void QueryViewport(double& x, double& y, double& width, double& height);
// Position and size of the view, as integers.
void QueryViewportInt(std::int32_t& x, std::int32_t& y, std::int32_t& width, std::int32_t& height);
