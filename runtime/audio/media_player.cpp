#include "audio/media_player.h"

#include <algorithm>
#include <chrono>

#include "zorvane/clock.h"

namespace zrv {

namespace {

// About a third of a second at the usual rates: enough to ride out a slow moment of the
// decoder, little enough that a seek throws little work away.
constexpr std::size_t kRingFrames = 16384;
constexpr std::size_t kMaxPictures = 8;
constexpr auto kRetryAfter = std::chrono::milliseconds(5);

}  // namespace

bool MediaPlayer::Open(const std::string& name, Mixer* mixer, bool withVideo) {
    Close();
    auto decoder = std::make_unique<MediaDecoder>();
    if (!decoder->Open(name, mixer != nullptr ? mixer->Rate() : 0, withVideo)) return false;
    const bool playable = decoder->HasAudio() || (withVideo && decoder->HasVideo());
    if (!playable) return false;

    lengthMs_ = decoder->LengthMs();
    title_ = decoder->Title();
    videoWidth_ = decoder->VideoWidth();
    videoHeight_ = decoder->VideoHeight();
    decoder_ = std::move(decoder);
    mixer_ = mixer;
    quit_ = seekRequested_ = held_ = finished_ = false;
    clockBaseMs_ = 0;
    streamBaseMs_ = 0;
    clockRunning_ = false;
    if (mixer_ != nullptr && decoder_->HasAudio()) {
        stream_ = std::make_unique<MediaStream>(kRingFrames);
        mixer_->AddStream(*stream_);
    }
    // The decoder starts filling the buffer at once, so that playing starts without a gap.
    if (stream_ != nullptr || decoder_->HasVideo()) thread_ = std::thread(&MediaPlayer::Decode, this);
    return true;
}

void MediaPlayer::Close() noexcept {
    if (stream_ != nullptr && mixer_ != nullptr) mixer_->RemoveStream(*stream_);
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    stream_.reset();
    decoder_.reset();
    pictures_.clear();
    mixer_ = nullptr;
    lengthMs_ = videoWidth_ = videoHeight_ = 0;
    title_.clear();
    clockRunning_ = false;
    clockBaseMs_ = 0;
    streamBaseMs_ = 0;
}

void MediaPlayer::Play() {
    if (decoder_ == nullptr) return;
    if (stream_ != nullptr) stream_->playing.store(true, std::memory_order_release);
    if (!clockRunning_) {
        clockStartedMs_ = ReadClockMs();
        clockRunning_ = true;
    }
}

void MediaPlayer::Stop() {
    if (decoder_ == nullptr) return;
    if (stream_ != nullptr) stream_->playing.store(false, std::memory_order_release);
    clockBaseMs_ = ClockNowMs();
    clockRunning_ = false;
}

void MediaPlayer::Seek(std::int32_t ms) {
    if (decoder_ == nullptr) return;
    Stop();
    ms = std::clamp(ms, 0, lengthMs_);
    clockBaseMs_ = ms;
    streamBaseMs_ = ms;
    if (!thread_.joinable()) return;
    {
        std::unique_lock lock(mutex_);
        seekRequested_ = true;
        seekTargetMs_ = ms;
        wake_.notify_all();
        seekDone_.wait(lock, [this] { return !seekRequested_; });
    }
    // The decoder now waits; what the ring still holds is thrown away while no buffer is
    // being mixed.
    if (stream_ != nullptr) {
        mixer_->Exclusive([this] {
            stream_->ring.Reset();
            stream_->framesPlayed.store(0, std::memory_order_relaxed);
            stream_->drained.store(false, std::memory_order_relaxed);
            stream_->decodeEnded.store(false, std::memory_order_relaxed);
        });
    }
    {
        std::lock_guard lock(mutex_);
        held_ = false;
    }
    wake_.notify_all();
}

double MediaPlayer::ClockNowMs() const noexcept {
    return clockBaseMs_ + (clockRunning_ ? ReadClockMs() - clockStartedMs_ : 0.0);
}

std::int32_t MediaPlayer::LengthMs() const noexcept { return lengthMs_; }

std::int32_t MediaPlayer::PositionMs() const noexcept {
    if (decoder_ == nullptr) return 0;
    double position;
    if (stream_ != nullptr) {
        if (stream_->drained.load(std::memory_order_acquire)) return lengthMs_;
        position = streamBaseMs_ +
                   static_cast<double>(stream_->framesPlayed.load(std::memory_order_relaxed)) * 1000.0 / mixer_->Rate();
    } else {
        position = ClockNowMs();
    }
    return static_cast<std::int32_t>(std::min(position, static_cast<double>(lengthMs_)));
}

void MediaPlayer::SetVolume(std::int32_t volume) noexcept {
    if (stream_ == nullptr) return;
    // Twice the normal level at most, and never a negative gain, which would invert the
    // wave instead of silencing it.
    stream_->gain.store(std::clamp(volume / 1000.0f, 0.0f, 2.0f), std::memory_order_relaxed);
}

bool MediaPlayer::TakeDueFrame(VideoFrame& frame) {
    const std::int32_t position = PositionMs();
    bool taken = false;
    {
        std::lock_guard lock(mutex_);
        while (!pictures_.empty() && pictures_.front().timeMs <= position) {
            frame = std::move(pictures_.front());
            pictures_.pop_front();
            taken = true;
        }
    }
    if (taken) wake_.notify_all();
    return taken;
}

void MediaPlayer::Decode() {
    std::vector<float> pending;  // decoded frames not yet in the ring
    std::size_t pendingDone = 0;
    std::vector<VideoFrame> pictures;
    bool inputDone = false;
    for (;;) {
        std::unique_lock lock(mutex_);
        if (quit_) return;
        if (seekRequested_) {
            const std::int32_t target = seekTargetMs_;
            lock.unlock();
            decoder_->Seek(target);
            pending.clear();
            pendingDone = 0;
            inputDone = false;
            lock.lock();
            pictures_.clear();
            seekRequested_ = false;
            held_ = true;
            finished_ = false;
            seekDone_.notify_all();
            continue;
        }
        if (held_ || finished_) {
            wake_.wait(lock);
            continue;
        }
        const bool picturesFull = pictures_.size() >= kMaxPictures;
        lock.unlock();

        const std::size_t pendingFrames = pending.size() / 2;
        if (stream_ != nullptr && pendingDone < pendingFrames) {
            pendingDone += stream_->ring.Write(pending.data() + pendingDone * 2, pendingFrames - pendingDone);
        }
        if (pendingDone < pendingFrames || picturesFull) {
            lock.lock();
            wake_.wait_for(lock, kRetryAfter);
            continue;
        }
        if (inputDone) {
            if (stream_ != nullptr) stream_->decodeEnded.store(true, std::memory_order_release);
            lock.lock();
            finished_ = true;
            continue;
        }
        pending.clear();
        pendingDone = 0;
        pictures.clear();
        inputDone = !decoder_->DecodeNext(pending, pictures);
        if (stream_ == nullptr) pending.clear();
        if (!pictures.empty()) {
            lock.lock();
            for (VideoFrame& picture : pictures) pictures_.push_back(std::move(picture));
        }
    }
}

}  // namespace zrv
