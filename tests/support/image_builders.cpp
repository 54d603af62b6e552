#include "support/image_builders.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace zrv::test {

namespace {

void Put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void AppendPng(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

}  // namespace

Bytes Row24(const std::vector<Rgb>& pixels) {
    Bytes row;
    for (const Rgb& p : pixels) {
        row.push_back(p.blue);
        row.push_back(p.green);
        row.push_back(p.red);
    }
    return row;
}

namespace {

Bytes BmpHeaders(const BmpLayout& layout, std::uint32_t compression, std::uint32_t dataSize) {
    const std::uint32_t paletteBytes = static_cast<std::uint32_t>(layout.palette.size()) * 4;
    Bytes out{'B', 'M'};
    Put32(out, 54 + paletteBytes + dataSize);
    Put32(out, 0);
    Put32(out, 54 + paletteBytes);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(layout.width));
    Put32(out, static_cast<std::uint32_t>(layout.height));
    Put16(out, 1);
    Put16(out, layout.bits);
    Put32(out, compression);
    for (int i = 0; i < 5; ++i) Put32(out, 0);
    for (const Rgb& c : layout.palette) {
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    return out;
}

}  // namespace

Bytes MakeBmp(const BmpLayout& layout) {
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(layout.width) * layout.bits + 31) / 32 * 4;
    const std::uint32_t rows = static_cast<std::uint32_t>(layout.rows.size());
    Bytes out = BmpHeaders(layout, 0, rowSize * rows);
    for (std::uint32_t r = 0; r < rows; ++r) {
        Bytes row = layout.rows[rows - 1 - r];
        row.resize(rowSize, 0);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes MakeCompressedBmp(const BmpLayout& layout, std::uint32_t compression, const Bytes& data) {
    Bytes out = BmpHeaders(layout, compression, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes MakePng(const PngLayout& layout) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) std::abort();
    png_set_write_fn(png, &out, AppendPng, nullptr);
    png_set_IHDR(png, info, layout.width, layout.height, layout.depth, layout.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (const Rgb& c : layout.palette) palette.push_back({c.red, c.green, c.blue});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!layout.transparency.empty()) {
        png_set_tRNS(png, info, layout.transparency.data(), static_cast<int>(layout.transparency.size()), nullptr);
    }
    png_write_info(png, info);
    for (const Bytes& row : layout.rows) png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes MakeJpeg(std::int32_t width, std::int32_t height, int components, const Bytes& samples, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + static_cast<std::size_t>(info.next_scanline) * width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

void StoreFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zrv::test
