// A program that loads one large image into a sprite and reports the memory that took:
// the rise of the process's peak resident size over what it held before the load, and
// what it still holds afterwards (the textures). ZRV_IMAGE_FORMAT is "jpeg" or "png",
// ZRV_IMAGE_SIDE the width and height (8192 unless given). The file is written row by
// row into the temporary folder, so that making it takes next to no memory.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "../support/probe_io.h"
#include "../support/process_memory.h"
#include "zorvane.h"

namespace {

using zrv::test::Env;
using zrv::test::ResetPeakMemory;
using zrv::test::StatusKiB;

// A smooth picture with some detail, one RGB row at a time.
void PictureRow(int y, int side, std::vector<std::uint8_t>& row) {
    row.resize(static_cast<std::size_t>(side) * 3);
    for (int x = 0; x < side; ++x) {
        row[x * 3 + 0] = static_cast<std::uint8_t>(x * 255 / side);
        row[x * 3 + 1] = static_cast<std::uint8_t>(y * 255 / side);
        row[x * 3 + 2] = static_cast<std::uint8_t>((x ^ y) & 0x40 ? 200 : 40);
    }
}

bool WriteJpeg(const std::string& path, int side) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = info.image_height = static_cast<JDIMENSION>(side);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row;
    for (int y = 0; y < side; ++y) {
        PictureRow(y, side, row);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

bool WritePng(const std::string& path, int side) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(side), static_cast<png_uint_32>(side), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::uint8_t> row;
    for (int y = 0; y < side; ++y) {
        PictureRow(y, side, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

void ApplyProjectSettings() {}

void ProgramMain() {
    const std::string format = Env("ZRV_IMAGE_FORMAT", "jpeg");
    const int side = std::atoi(Env("ZRV_IMAGE_SIDE", "8192").c_str());
    const std::string path = Env("TMPDIR", "/tmp") + "/huge." + format;
    if (!(format == "png" ? WritePng(path, side) : WriteJpeg(path, side)) || !ResetPeakMemory()) {
        std::printf("cannot prepare\n");
        return;
    }
    const long before = StatusKiB("VmRSS");
    LoadSpriteImage(path.c_str(), 1);
    const long peak = StatusKiB("VmHWM");
    const long after = StatusKiB("VmRSS");
    std::int32_t width = 0;
    std::int32_t height = 0;
    QuerySpriteSizeInt(1, width, height);
    const double copy = static_cast<double>(side) * side * 4 / 1024;  // KiB of one RGBA copy
    std::printf("%s %dx%d loaded %dx%d, error %d\n", format.c_str(), side, side, width, height,
                GetErrorState().errorCode);
    std::printf("peak rise %ld MiB (%.2f RGBA copies), held after %ld MiB (%.2f copies)\n", (peak - before) / 1024,
                (peak - before) / copy, (after - before) / 1024, (after - before) / copy);
    std::fflush(stdout);
}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
