#include "audio/media_source.h"

#include <limits>

#include "audio/ffmpeg_library.h"
#include "zorvane/media_pack.h"

namespace zrv {

namespace {

constexpr int kReadBuffer = 32 * 1024;

}  // namespace

bool MediaSource::Open(const std::string& name) {
    Close();
    if (!file_.OpenRead(name.c_str())) return false;
    name_ = name;
    large_ = !file_.IsMemory() && file_.OpenedSize() == std::numeric_limits<std::int32_t>::max();
    if (large_) {
        file_.Close();
        return true;
    }
    if (!MakeReader()) {
        Close();
        return false;
    }
    return true;
}

void MediaSource::Close() noexcept {
    if (io_ != nullptr) {
        // FFmpeg may have replaced the buffer it was given by one of its own.
        Av().av_freep(&io_->buffer);
        Av().avio_context_free(&io_);
    }
    file_.Close();
    name_.clear();
    large_ = false;
    attached_ = nullptr;
    LimitReading(0);
}

bool MediaSource::MakeReader() {
    auto* buffer = static_cast<unsigned char*>(Av().av_malloc(kReadBuffer));
    if (buffer == nullptr) return false;
    io_ = Av().avio_alloc_context(buffer, kReadBuffer, 0, this, &MediaSource::Read, nullptr, &MediaSource::Seek);
    if (io_ == nullptr) {
        Av().av_free(buffer);
        return false;
    }
    return true;
}

bool MediaSource::Rewind() {
    if (large_) return true;
    if (io_ == nullptr) return false;
    Av().av_freep(&io_->buffer);
    Av().avio_context_free(&io_);
    file_.Seek(0, 0);
    return MakeReader();
}

std::string MediaSource::AttachTo(AVFormatContext& format) {
    attached_ = &format;
    format.interrupt_callback = AVIOInterruptCB{&MediaSource::Interrupted, this};
    if (large_) return "file:" + name_;
    format.pb = io_;
    // Only a hint for guessing the format from the extension.
    return name_;
}

void MediaSource::LimitReading(std::int64_t bytes) noexcept {
    limit_ = bytes;
    limitFrom_ = bytes > 0 && attached_ != nullptr && attached_->pb != nullptr ? attached_->pb->bytes_read : 0;
    limitReached_ = false;
}

bool MediaSource::OverLimit() noexcept {
    if (limit_ <= 0 || attached_ == nullptr || attached_->pb == nullptr) return false;
    limitReached_ = limitReached_ || attached_->pb->bytes_read - limitFrom_ >= limit_;
    return limitReached_;
}

int MediaSource::Interrupted(void* opaque) { return static_cast<MediaSource*>(opaque)->OverLimit() ? 1 : 0; }

int MediaSource::Read(void* opaque, std::uint8_t* buffer, int size) {
    auto& source = *static_cast<MediaSource*>(opaque);
    // Some demuxers search a whole file for their first frame inside one call that never
    // asks the interrupt callback.
    if (source.OverLimit()) return AVERROR_EXIT;
    const std::int32_t got = source.file_.ReadSome(buffer, size);
    if (got < 0) return AVERROR(EIO);
    return got == 0 ? AVERROR_EOF : got;
}

std::int64_t MediaSource::Seek(void* opaque, std::int64_t offset, int whence) {
    RtFile& file = static_cast<MediaSource*>(opaque)->file_;
    const std::int64_t size = file.IsMemory() ? file.OpenedSize() : file.Size();
    std::int64_t target = 0;
    switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE: return size;
        case SEEK_SET: target = offset; break;
        case SEEK_CUR: target = file.Position() + offset; break;
        case SEEK_END: target = size + offset; break;
        default: return AVERROR(EINVAL);
    }
    if (target < 0 || target > size) return AVERROR(EINVAL);
    file.Seek(static_cast<std::int32_t>(target), 0);
    return target;
}

bool ResolvePlayableName(const RtString& name, RtString& out) {
    return ResolveMediaName(FileMediaResolver(), name, out, 1) != 0;
}

}  // namespace zrv
