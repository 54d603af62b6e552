#include "gfx2d/image_files.h"

#include <new>
#include <vector>

#include "files/memory_files.h"
#include "files/rt_file.h"

namespace zrv {

namespace {

// The whole file, or nothing: a file that delivers fewer bytes than its size fails. An
// in-memory file is read where it lies (it stays open, and so alive, with this object);
// only a disk file is read into memory.
class WholeFile {
public:
    bool Read(const std::string& name) {
        if (!file_.OpenRead(name.c_str())) return false;
        const std::int32_t size = file_.OpenedSize();
        if (size < 0) return false;
        if (file_.IsMemory()) {
            bytes_ = ByteSpan(file_.MemoryBytes(), static_cast<std::size_t>(size));
            return true;
        }
        try {
            storage_.resize(static_cast<std::size_t>(size));
        } catch (const std::bad_alloc&) {
            return false;
        }
        bytes_ = storage_;
        return size == 0 || file_.ReadBytes(storage_.data(), size);
    }
    ByteSpan Bytes() const { return bytes_; }

private:
    RtFile file_;
    std::vector<std::uint8_t> storage_;
    ByteSpan bytes_;
};

}  // namespace

bool ReadBmp(DecodedImage& image, const std::string& name, std::int32_t keyColour) {
    WholeFile file;
    return file.Read(name) && DecodeBmp(file.Bytes(), keyColour, image);
}

bool ReadPng(DecodedImage& image, const std::string& name, std::int32_t keyColour) {
    WholeFile file;
    return file.Read(name) && DecodePng(file.Bytes(), name.c_str(), keyColour, image);
}

bool ReadJpeg(DecodedImage& image, const std::string& name) {
    WholeFile file;
    return file.Read(name) && DecodeJpeg(file.Bytes(), image);
}

bool ReadImage(DecodedImage& image, const std::string& name, std::int32_t keyColour) {
    WholeFile file;
    if (!file.Read(name)) {
        image.width = image.height = 0;
        return false;
    }
    const ByteSpan bytes = file.Bytes();
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
