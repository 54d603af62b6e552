#include "gfx2d/texture_prep.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zrv {

namespace {

std::size_t At(std::int32_t x, std::int32_t y, std::int32_t width) noexcept {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
}

}  // namespace

std::int32_t PowerOfTwoAtLeast(std::int32_t size, std::int32_t minimum) noexcept {
    std::int32_t result = minimum;
    while (result < size && result < (1 << 30)) result *= 2;
    return result;
}

void CopyFlipped(const DecodedImage& image, std::int32_t x0, std::int32_t y0, std::int32_t w, std::int32_t h,
                 std::int32_t texWidth, std::int32_t texHeight, std::vector<std::uint8_t>& texels) {
    texels.assign(static_cast<std::size_t>(texWidth) * static_cast<std::size_t>(texHeight) * 4, 0);
    for (std::int32_t k = 0; k < h; ++k) {
        const std::uint8_t* source = image.Row(y0 + k) + static_cast<std::size_t>(x0) * 4;
        std::memcpy(texels.data() + At(0, h - 1 - k, texWidth), source, static_cast<std::size_t>(w) * 4);
    }
}

void LayOutAsTexture(DecodedImage& image, std::int32_t w, std::int32_t h, std::int32_t texWidth,
                     std::int32_t texHeight) {
    const auto rowBytes = static_cast<std::size_t>(image.width) * 4;
    const auto used = static_cast<std::size_t>(w) * 4;
    const auto texRowBytes = static_cast<std::size_t>(texWidth) * 4;
    std::uint8_t* pixels = image.pixels.data();
    for (std::int32_t top = 0, bottom = h - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(pixels + top * rowBytes, pixels + top * rowBytes + used, pixels + bottom * rowBytes);
    }
    const std::size_t texBytes = texRowBytes * static_cast<std::size_t>(texHeight);
    if (image.pixels.size() < texBytes) image.pixels.resize(texBytes);
    pixels = image.pixels.data();
    // Rows move to their new stride in the order that never overwrites a row not yet moved.
    auto move = [&](std::int32_t row) {
        std::memmove(pixels + row * texRowBytes, pixels + row * rowBytes, used);
        std::memset(pixels + row * texRowBytes + used, 0, texRowBytes - used);
    };
    if (texRowBytes == rowBytes && used == rowBytes) {
        // Rows stay where they are.
    } else if (texRowBytes > rowBytes) {
        for (std::int32_t row = h - 1; row >= 0; --row) move(row);
    } else {
        for (std::int32_t row = 0; row < h; ++row) move(row);
    }
    std::memset(pixels + static_cast<std::size_t>(h) * texRowBytes, 0, texBytes - static_cast<std::size_t>(h) * texRowBytes);
    image.pixels.resize(texBytes);
    image.width = texWidth;
    image.height = texHeight;
}

void BleedTransparentTexels(std::vector<std::uint8_t>& texels, std::int32_t width, std::int32_t height) {
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint8_t* texel = texels.data() + At(x, y, width);
            if (texel[3] != 0) continue;
            std::uint32_t sum[3] = {0, 0, 0};
            std::uint32_t count = 0;
            for (std::int32_t dy = -1; dy <= 1; ++dy) {
                for (std::int32_t dx = -1; dx <= 1; ++dx) {
                    const std::int32_t nx = x + dx;
                    const std::int32_t ny = y + dy;
                    if ((dx == 0 && dy == 0) || nx < 1 || ny < 1 || nx > width - 2 || ny > height - 2) continue;
                    const std::uint8_t* neighbour = texels.data() + At(nx, ny, width);
                    // Bled texels keep alpha 0, so a neighbour bled earlier in this pass never
                    // counts: the result does not depend on the scan order.
                    if (neighbour[3] == 0) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += neighbour[c];
                    ++count;
                }
            }
            for (int c = 0; c < 3; ++c) texel[c] = count == 0 ? 0 : static_cast<std::uint8_t>(sum[c] / count);
        }
    }
}

void MakeNormalMap(std::vector<std::uint8_t>& texels, std::int32_t width, std::int32_t height) {
    // The heights aside, a quarter of the texels' size: the normals replace them in place.
    std::vector<std::uint8_t> heights(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < heights.size(); ++i) heights[i] = texels[i * 4 + 2];
    auto heightAt = [&](std::int32_t x, std::int32_t y) {
        x = (x % width + width) % width;
        y = (y % height + height) % height;
        return heights[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] / 255.0;
    };
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const double a = heightAt(x - 1, y + 1), b = heightAt(x, y + 1), c = heightAt(x + 1, y + 1);
            const double d = heightAt(x - 1, y - 1), e = heightAt(x, y - 1), f = heightAt(x + 1, y - 1);
            const double g = heightAt(x - 1, y), h = heightAt(x + 1, y);
            const double nx = -((c + 2 * h + f) - (a + 2 * g + d));
            const double ny = -((d + 2 * e + f) - (a + 2 * b + c));
            const double n = 1.0 / std::sqrt(nx * nx + ny * ny + 1.0);
            std::uint8_t* texel = texels.data() + At(x, y, width);
            texel[0] = static_cast<std::uint8_t>((nx * n + 1) / 2 * 255);
            texel[1] = static_cast<std::uint8_t>((ny * n + 1) / 2 * 255);
            texel[2] = static_cast<std::uint8_t>((n + 1) / 2 * 255);
        }
    }
}

void MakeSquare(std::vector<std::uint8_t>& texels, std::int32_t& width, std::int32_t& height) {
    while (width > height) {
        const std::int32_t half = width / 2;
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < half; ++x) {
                for (int c = 0; c < 4; ++c) {
                    const std::uint32_t p = texels[At(2 * x, y, width) + c];
                    const std::uint32_t q = texels[At(2 * x + 1, y, width) + c];
                    // Rows shrink in place: row y of the new width ends before row y of the old.
                    texels[At(x, y, half) + c] = static_cast<std::uint8_t>((p + q) / 2);
                }
            }
        }
        width = half;
    }
    while (height > width) {
        const std::int32_t half = height / 2;
        for (std::int32_t y = 0; y < half; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                for (int c = 0; c < 4; ++c) {
                    const std::uint32_t p = texels[At(x, 2 * y, width) + c];
                    const std::uint32_t q = texels[At(x, 2 * y + 1, width) + c];
                    texels[At(x, y, width) + c] = static_cast<std::uint8_t>((p + q) / 2);
                }
            }
        }
        height = half;
    }
    texels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
}

void NextMipLevel(std::vector<std::uint8_t>& texels, std::int32_t size) {
    // Texel (x, y) of the smaller level lies at or before (2x, 2y) of the larger, the first
    // it reads, and every later texel reads further on: the level can be written in place.
    const std::int32_t half = size / 2;
    for (std::int32_t y = 0; y < half; ++y) {
        for (std::int32_t x = 0; x < half; ++x) {
            const std::int32_t sx = 2 * x;
            const std::int32_t sy = 2 * y;
            const bool right = sx + 1 < size;
            const bool below = sy + 1 < size;
            std::uint8_t value[4];
            for (int c = 0; c < 4; ++c) {
                const std::uint32_t s0 = texels[At(sx, sy, size) + c];
                std::uint32_t sum = s0;
                if (right && below) {
                    const std::uint32_t sR = texels[At(sx + 1, sy, size) + c];
                    const std::uint32_t sD = texels[At(sx + 1, sy + 1, size) + c];
                    const std::uint32_t sB = texels[At(sx, sy + 1, size) + c];
                    sum = (4 * s0 + 2 * sR + 2 * sD + sB) / 9;
                } else if (below) {
                    sum = (2 * s0 + texels[At(sx, sy + 1, size) + c]) / 3;
                } else if (right) {
                    sum = (2 * s0 + texels[At(sx + 1, sy, size) + c]) / 3;
                }
                value[c] = static_cast<std::uint8_t>(sum);
            }
            std::memcpy(texels.data() + At(x, y, half), value, 4);
        }
    }
    texels.resize(static_cast<std::size_t>(half) * static_cast<std::size_t>(half) * 4);
}

}  // namespace zrv
