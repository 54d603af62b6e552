#include "files/rt_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <vector>

#include "files/file_system.h"
#include "files/files_state.h"

namespace zrv {

namespace {

constexpr std::int32_t kLinePiece = 64;
constexpr std::int32_t kLineBuffer = kMaxLineLength + 1;

std::int32_t ClampToInt32(std::int64_t value) noexcept {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// A line as a C string would see it: it ends at its first NUL.
std::string LineText(const char* bytes, std::size_t count) {
    const void* nul = std::memchr(bytes, 0, count);
    if (nul != nullptr) count = static_cast<std::size_t>(static_cast<const char*>(nul) - bytes);
    return std::string(bytes, count);
}

void DropCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

}  // namespace

RtFile::RtFile(RtFile&& other) noexcept
    : fd_(other.fd_), block_(std::move(other.block_)), size_(other.size_), pos_(other.pos_) {
    other.fd_ = -1;
    other.block_.reset();
    other.size_ = other.pos_ = 0;
}

RtFile& RtFile::operator=(RtFile&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        block_ = std::move(other.block_);
        size_ = other.size_;
        pos_ = other.pos_;
        other.fd_ = -1;
        other.block_.reset();
        other.size_ = other.pos_ = 0;
    }
    return *this;
}

void RtFile::Close() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    block_.reset();
    size_ = 0;
    pos_ = 0;
}

bool RtFile::OpenDisk(const char* name, DiskAccess access) {
    const int fd = OpenDiskFile(name, access);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    size_ = ClampToInt32(info.st_size);
    pos_ = 0;
    return true;
}

bool RtFile::OpenRead(const char* name) {
    Close();
    if (name == nullptr || *name == 0) return false;
    if (IsMemoryFileName(name)) {
        MemoryBlock block = Files().memoryFiles.Find(name);
        if (block.bytes == nullptr) return false;
        block_ = std::move(block.bytes);
        size_ = block.size;
        pos_ = 0;
        return true;
    }
    return OpenDisk(name, DiskAccess::read);
}

bool RtFile::OpenWrite(const char* name) {
    Close();
    if (name == nullptr || *name == 0 || IsMemoryFileName(name)) return false;
    return OpenDisk(name, DiskAccess::replace);
}

bool RtFile::OpenAppend(const char* name) {
    Close();
    if (name == nullptr || *name == 0 || IsMemoryFileName(name)) return false;
    if (!OpenDisk(name, DiskAccess::append)) return false;
    ::lseek(fd_, 0, SEEK_END);
    return true;
}

std::int64_t RtFile::ReadFully(void* buffer, std::int64_t n) noexcept {
    auto* at = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd_, at + done, static_cast<std::size_t>(n - done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += got;
    }
    return done;
}

bool RtFile::ReadBytes(void* buffer, std::int32_t n) {
    if (n < 0) return false;
    if (fd_ >= 0) {
        pos_ = ClampToInt32(std::int64_t{pos_} + n);
        return ReadFully(buffer, n) == n;
    }
    if (block_ == nullptr || pos_ < 0 || pos_ > size_) return false;
    const std::int32_t available = std::min(n, size_ - pos_);
    std::memcpy(buffer, block_.get() + pos_, static_cast<std::size_t>(available));
    std::memset(static_cast<char*>(buffer) + available, 0, static_cast<std::size_t>(n - available));
    pos_ = ClampToInt32(std::int64_t{pos_} + n);
    return true;
}

std::int32_t RtFile::ReadSome(void* buffer, std::int32_t n) {
    if (n < 0) return -1;
    if (fd_ >= 0) {
        const std::int64_t got = ReadFully(buffer, n);
        if (got > 0) pos_ = ClampToInt32(pos_ + got);
        return static_cast<std::int32_t>(got);
    }
    if (block_ == nullptr || pos_ < 0 || pos_ > size_) return -1;
    const std::int32_t available = std::min(n, size_ - pos_);
    std::memcpy(buffer, block_.get() + pos_, static_cast<std::size_t>(available));
    pos_ += available;
    return available;
}

bool RtFile::ReadText(std::int32_t count, std::string& text) {
    text.clear();
    if (count < 1) return true;
    if (fd_ >= 0) {
        // A count beyond the end would fail anyway; finding that out first spares a buffer
        // of whatever size the program asked for.
        struct stat info {};
        const off_t at = ::lseek(fd_, 0, SEEK_CUR);
        if (::fstat(fd_, &info) != 0 || at < 0 || info.st_size - at < count) {
            pos_ = ClampToInt32(std::int64_t{pos_} + count);
            return false;
        }
        std::vector<char> bytes(static_cast<std::size_t>(count));
        if (!ReadBytes(bytes.data(), count)) return false;
        text = LineText(bytes.data(), bytes.size());
        return true;
    }
    if (block_ == nullptr || pos_ < 0 || pos_ > size_) return false;
    const std::int32_t available = std::min(count, size_ - pos_);
    text = LineText(reinterpret_cast<const char*>(block_.get()) + pos_, static_cast<std::size_t>(available));
    pos_ = ClampToInt32(std::int64_t{pos_} + count);
    return true;
}

bool RtFile::ReadLine(std::string& line) {
    line.clear();
    if (fd_ >= 0) return ReadLineFromDisk(line);
    if (block_ != nullptr) return ReadLineFromMemory(line);
    return false;
}

bool RtFile::ReadLineFromDisk(std::string& line) {
    // One spare byte: a short piece gets a "\n" placed after its data.
    char buffer[kLineBuffer + 1] = {};
    std::int32_t filled = 0;
    while (filled < kLineBuffer) {
        const std::int32_t piece = std::min(kLinePiece, kLineBuffer - filled);
        const std::int64_t got = ReadFully(buffer + filled, piece);
        // Nothing at all is the end of the data; after a full piece it merely ends a last
        // line whose length is a multiple of the piece size.
        if (got < 0 || (got == 0 && filled == 0)) return false;
        pos_ = ClampToInt32(pos_ + got);
        const auto end = static_cast<std::int32_t>(filled + got);
        // The end of the file ends the last line.
        const bool endOfFile = got < piece;
        if (endOfFile) buffer[end] = '\n';
        const void* newline = std::memchr(buffer + filled, '\n', static_cast<std::size_t>(end - filled + (endOfFile ? 1 : 0)));
        if (newline != nullptr) {
            const auto at = static_cast<std::int32_t>(static_cast<const char*>(newline) - buffer);
            const std::int32_t readTooFar = end - (at + 1);
            if (readTooFar > 0) {
                ::lseek(fd_, -readTooFar, SEEK_CUR);
                pos_ -= readTooFar;
            }
            line = LineText(buffer, static_cast<std::size_t>(at));
            DropCarriageReturn(line);
            return true;
        }
        filled = end;
    }
    // 1024 bytes without a line end: the 1024th is lost.
    line = LineText(buffer, kMaxLineLength);
    return true;
}

bool RtFile::ReadLineFromMemory(std::string& line) {
    if (pos_ < 0 || pos_ >= size_) return false;
    const char* start = reinterpret_cast<const char*>(block_.get()) + pos_;
    const std::int32_t window = std::min(kLineBuffer, size_ - pos_);
    const void* newline = std::memchr(start, '\n', static_cast<std::size_t>(window));
    if (newline != nullptr) {
        const auto length = static_cast<std::int32_t>(static_cast<const char*>(newline) - start);
        line = LineText(start, static_cast<std::size_t>(length));
        pos_ += length + 1;
    } else {
        line = LineText(start, static_cast<std::size_t>(std::min(window, kMaxLineLength)));
        pos_ += window;
    }
    DropCarriageReturn(line);
    return true;
}

bool RtFile::WriteBytes(const void* buffer, std::int32_t n) {
    if (fd_ < 0 || n < 0) return false;
    const auto* at = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < n) {
        const ssize_t put = ::write(fd_, at + done, static_cast<std::size_t>(n - done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += put;
    }
    return true;
}

void RtFile::Seek(std::int32_t distance, std::int32_t origin) noexcept {
    int whence = SEEK_SET;
    switch (origin) {
        case 0: pos_ = distance; break;
        case 1: pos_ = ClampToInt32(std::int64_t{pos_} + distance); whence = SEEK_CUR; break;
        case 2: pos_ = ClampToInt32(std::int64_t{size_} + distance); whence = SEEK_END; break;
        default: return;
    }
    if (fd_ >= 0) ::lseek(fd_, distance, whence);
}

std::int32_t RtFile::Size() const noexcept {
    if (fd_ >= 0) {
        struct stat info {};
        return ::fstat(fd_, &info) == 0 ? ClampToInt32(info.st_size) : size_;
    }
    return size_;
}

}  // namespace zrv
