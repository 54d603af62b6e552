// Writing 8-bit RGBA PNG files through libpng into a byte buffer.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "gfx2d/image_codecs.h"

namespace zrv {

namespace {

constexpr int kSuggestedPaletteSize = 256;

void AppendToBuffer(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        out->insert(out->end(), data, data + count);
    } catch (...) {
        // Nothing may be thrown through libpng's C frames: the write fails instead.
        stored = false;
    }
    if (!stored) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

[[noreturn]] void FailWrite(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp, png_const_charp) {}

// Rows top-down; the alpha rule compares only green and blue with the key's look in the
// framebuffer, and a key whose red is 0 makes every pixel opaque.
void BuildRgbaRows(const BgrFrame& frame, const KeyInFramebuffer& key, std::vector<std::uint8_t>& rgba) {
    const bool keyed = key.red != 0;
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 4;
    for (std::int32_t y = 0; y < frame.height; ++y) {
        const std::uint8_t* in = frame.pixels + static_cast<std::size_t>(frame.height - 1 - y) * frame.stride * 3;
        std::uint8_t* out = rgba.data() + static_cast<std::size_t>(y) * rowBytes;
        for (std::int32_t x = 0; x < frame.width; ++x, in += 3, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = keyed && in[1] == key.green && in[0] == key.blue ? 0 : 255;
        }
    }
}

struct PngWriteJob {
    const BgrFrame* frame;
    std::vector<std::uint8_t>* rgba;
    std::vector<std::uint8_t>* out;
    png_bytepp rows = nullptr;
};

bool RunPngWrite(PngWriteJob& job) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailWrite, IgnoreWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        if (job.rows != nullptr) png_free(png, job.rows);
        job.rows = nullptr;
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, job.out, AppendToBuffer, FlushNothing);
    const auto width = static_cast<png_uint_32>(job.frame->width);
    const auto height = static_cast<png_uint_32>(job.frame->height);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // A suggested palette for viewers that cannot show true colour; its contents carry
    // no meaning.
    png_color palette[kSuggestedPaletteSize];
    std::memset(palette, 0, sizeof palette);
    png_set_PLTE(png, info, palette, kSuggestedPaletteSize);
    png_write_info(png, info);

    job.rows = static_cast<png_bytepp>(png_malloc(png, sizeof(png_bytep) * height));
    for (png_uint_32 y = 0; y < height; ++y) job.rows[y] = job.rgba->data() + static_cast<std::size_t>(y) * width * 4;
    png_write_image(png, job.rows);
    png_write_end(png, info);
    png_free(png, job.rows);
    job.rows = nullptr;
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool EncodePng(const BgrFrame& frame, const KeyInFramebuffer& key, std::vector<std::uint8_t>& out) {
    out.clear();
    if (frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0 || frame.stride < frame.width) return false;
    std::vector<std::uint8_t> rgba;
    try {
        rgba.resize(static_cast<std::size_t>(frame.width) * frame.height * 4);
    } catch (const std::bad_alloc&) {
        return false;
    }
    BuildRgbaRows(frame, key, rgba);
    PngWriteJob job{&frame, &rgba, &out};
    if (RunPngWrite(job)) return true;
    out.clear();
    return false;
}

}  // namespace zrv
