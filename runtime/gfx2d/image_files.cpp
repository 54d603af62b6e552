#include "gfx2d/image_files.h"

#include <new>
#include <vector>

#include "files/memory_files.h"
#include "files/rt_file.h"

namespace zrv {

namespace {

// The whole file, or nothing: a file that delivers fewer bytes than its size fails.
bool ReadWholeFile(const std::string& name, std::vector<std::uint8_t>& bytes) {
    RtFile file;
    if (!file.OpenRead(name.c_str())) return false;
    const std::int32_t size = file.OpenedSize();
    if (size < 0) return false;
    try {
        if (file.IsMemory()) {
            bytes.assign(file.MemoryBytes(), file.MemoryBytes() + size);
            return true;
        }
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return size == 0 || file.ReadBytes(bytes.data(), size);
}

}  // namespace

bool ReadBmp(DecodedImage& image, const std::string& name, std::int32_t keyColour) {
    std::vector<std::uint8_t> bytes;
    return ReadWholeFile(name, bytes) && DecodeBmp(bytes, keyColour, image);
}

bool ReadPng(DecodedImage& image, const std::string& name, std::int32_t keyColour) {
    std::vector<std::uint8_t> bytes;
    return ReadWholeFile(name, bytes) && DecodePng(bytes, name.c_str(), keyColour, image);
}

bool ReadJpeg(DecodedImage& image, const std::string& name) {
    std::vector<std::uint8_t> bytes;
    return ReadWholeFile(name, bytes) && DecodeJpeg(bytes, image);
}

bool ReadImage(DecodedImage& image, const std::string& name, std::int32_t keyColour) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(name, bytes)) {
        image.width = image.height = 0;
        return false;
    }
    return DecodeBmp(bytes, keyColour, image) || DecodePng(bytes, name.c_str(), keyColour, image) ||
           DecodeJpeg(bytes, image);
}

bool WriteImage(const std::string& name, const BgrFrame& frame, const KeyInFramebuffer& key) {
    if (IsMemoryFileName(name)) return false;
    std::vector<std::uint8_t> bytes;
    const bool encoded = NamesPng(name) ? EncodePng(frame, key, bytes) : EncodeBmp(frame, key, bytes);
    if (!encoded || bytes.size() > 0x7FFFFFFF) return false;
    RtFile file;
    if (!file.OpenWrite(name.c_str())) return false;
    return file.WriteBytes(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

}  // namespace zrv
