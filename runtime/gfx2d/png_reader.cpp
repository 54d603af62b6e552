// PNG files through libpng: palette, low-depth grey, transparency chunks and 16-bit
// samples are all turned into 8-bit grey, RGB or RGBA before the rows are read.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "gfx2d/image_codecs.h"

namespace zrv {

namespace {

// Deflate never inflates one byte into more than 1032; a header that promises more image
// data than its file can hold is refused before the pixel memory is taken.
constexpr std::uint64_t kMaxInflateRatio = 1032;
constexpr std::uint64_t kInflateSlack = 1 << 16;

struct PngSource {
    ByteSpan bytes;
    std::size_t position = 0;
};

void ReadFromSource(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->bytes.size() - source->position) png_error(png, "file too short");
    std::memcpy(out, source->bytes.data() + source->position, count);
    source->position += count;
}

[[noreturn]] void FailLoad(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp, png_const_charp) {}

struct PngJob {
    PngSource source;
    const char* name;
    std::int32_t keyColour;
    DecodeLimits limits;
    DecodedImage* image;
    png_bytepp rows = nullptr;  // taken from libpng's allocator, so an error cannot leak it
};

// Widens the rows read with `channels` bytes per pixel into RGBA, in place from the right
// so that no byte is overwritten before it has been read.
void ExpandRows(DecodedImage& image, int channels, std::int32_t keyColour) {
    for (std::int32_t y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.Row(y);
        if (channels == 4) continue;
        for (std::int32_t x = image.width - 1; x >= 0; --x) {
            const std::uint8_t* in = row + static_cast<std::size_t>(x) * channels;
            std::uint8_t* out = row + static_cast<std::size_t>(x) * 4;
            if (channels == 1) {
                const std::uint8_t grey = in[0];
                out[0] = out[1] = out[2] = grey;
                out[3] = 255;
                continue;
            }
            const std::uint8_t red = in[0], green = in[1], blue = in[2];
            if (keyColour != kNoKeyColour && PackColour(red, green, blue) == keyColour) {
                std::memset(out, 0, 4);
            } else {
                out[0] = red;
                out[1] = green;
                out[2] = blue;
                out[3] = 255;
            }
        }
    }
}

// Everything between creating and destroying libpng's structures. An error of the
// library jumps back here; no object with a destructor lives in the frames it leaves.
bool RunPng(PngJob& job) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailLoad, IgnoreWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        if (job.rows != nullptr) png_free(png, job.rows);
        job.rows = nullptr;
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_set_read_fn(png, &job.source, ReadFromSource);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const std::uint64_t encoded = static_cast<std::uint64_t>(height) * (png_get_rowbytes(png, info) + 1);
    if (encoded > kMaxInflateRatio * job.source.bytes.size() + kInflateSlack) png_error(png, "too little data");

    const int colourType = png_get_color_type(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    png_set_strip_16(png);
    png_set_packing(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    const int depth = png_get_bit_depth(png, info);
    const int type = png_get_color_type(png, info);
    const png_size_t rowBytes = png_get_rowbytes(png, info);
    if (depth != 8) {
        std::printf("File %s has bit depth %d.\n", job.name, depth);
        std::printf("Only bit depth of 8 is supported.\n");
        png_error(png, "depth");
    }
    if (type != PNG_COLOR_TYPE_GRAY && type != PNG_COLOR_TYPE_RGB && type != PNG_COLOR_TYPE_RGB_ALPHA) {
        std::printf("File %s has unsupported color type.\n", job.name);
        std::printf("Types GRAY, RGB and RGB_ALPHA are supported.\n");
        png_error(png, "colour type");
    }
    if ((channels != 1 && channels != 3 && channels != 4) || rowBytes == 0) png_error(png, "channels");
    if (!PrepareImage(*job.image, width, height, job.limits)) png_error(png, "size");
    if (rowBytes > static_cast<png_size_t>(job.image->width) * 4) png_error(png, "row size");

    // Each row is read into the start of its RGBA row and widened afterwards.
    job.rows = static_cast<png_bytepp>(png_malloc(png, sizeof(png_bytep) * height));
    for (png_uint_32 y = 0; y < height; ++y) job.rows[y] = job.image->Row(static_cast<std::int32_t>(y));
    png_read_image(png, job.rows);
    png_read_end(png, nullptr);
    png_free(png, job.rows);
    job.rows = nullptr;
    png_destroy_read_struct(&png, &info, nullptr);

    ExpandRows(*job.image, channels, job.keyColour);
    return true;
}

}  // namespace

bool DecodePng(ByteSpan bytes, const char* name, std::int32_t keyColour, DecodedImage& image,
               const DecodeLimits& limits) {
    image.width = image.height = 0;
    if (bytes.size() < 4 || bytes[1] != 'P' || bytes[2] != 'N' || bytes[3] != 'G') return false;
    PngJob job{{bytes, 0}, name != nullptr ? name : "", keyColour, limits, &image};
    if (RunPng(job)) return true;
    image.width = image.height = 0;
    return false;
}

}  // namespace zrv
