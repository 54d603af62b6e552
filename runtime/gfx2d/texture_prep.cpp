#include "gfx2d/texture_prep.h"

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

void MakeNormalMap(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out, std::int32_t width,
                   std::int32_t height) {
    out.resize(in.size());
    auto heightAt = [&](std::int32_t x, std::int32_t y) {
        x = (x % width + width) % width;
        y = (y % height + height) % height;
        return in[At(x, y, width) + 2] / 255.0;
    };
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const double a = heightAt(x - 1, y + 1), b = heightAt(x, y + 1), c = heightAt(x + 1, y + 1);
            const double d = heightAt(x - 1, y - 1), e = heightAt(x, y - 1), f = heightAt(x + 1, y - 1);
            const double g = heightAt(x - 1, y), h = heightAt(x + 1, y);
            const double nx = -((c + 2 * h + f) - (a + 2 * g + d));
            const double ny = -((d + 2 * e + f) - (a + 2 * b + c));
            const double n = 1.0 / std::sqrt(nx * nx + ny * ny + 1.0);
            std::uint8_t* texel = out.data() + At(x, y, width);
            texel[0] = static_cast<std::uint8_t>((nx * n + 1) / 2 * 255);
            texel[1] = static_cast<std::uint8_t>((ny * n + 1) / 2 * 255);
            texel[2] = static_cast<std::uint8_t>((n + 1) / 2 * 255);
            texel[3] = in[At(x, y, width) + 3];
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

void NextMipLevel(const std::vector<std::uint8_t>& in, std::int32_t size, std::vector<std::uint8_t>& out) {
    const std::int32_t half = size / 2;
    out.resize(static_cast<std::size_t>(half) * static_cast<std::size_t>(half) * 4);
    for (std::int32_t y = 0; y < half; ++y) {
        for (std::int32_t x = 0; x < half; ++x) {
            const std::int32_t sx = 2 * x;
            const std::int32_t sy = 2 * y;
            const bool right = sx + 1 < size;
            const bool below = sy + 1 < size;
            for (int c = 0; c < 4; ++c) {
                const std::uint32_t s0 = in[At(sx, sy, size) + c];
                std::uint32_t value = s0;
                if (right && below) {
                    const std::uint32_t sR = in[At(sx + 1, sy, size) + c];
                    const std::uint32_t sD = in[At(sx + 1, sy + 1, size) + c];
                    const std::uint32_t sB = in[At(sx, sy + 1, size) + c];
                    value = (4 * s0 + 2 * sR + 2 * sD + sB) / 9;
                } else if (below) {
                    value = (2 * s0 + in[At(sx, sy + 1, size) + c]) / 3;
                } else if (right) {
                    value = (2 * s0 + in[At(sx + 1, sy, size) + c]) / 3;
                }
                out[At(x, y, half) + c] = static_cast<std::uint8_t>(value);
            }
        }
    }
}

}  // namespace zrv
