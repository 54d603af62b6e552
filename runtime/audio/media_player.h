// The runtime's own media player, standing in for a media-control window: a file opened
// synchronously with its length known at once, decoding on a worker thread into a bounded
// buffer that the mixer plays from, and the classic controls in their units (milliseconds,
// volume 1000 = normal). Without an audio device the piece still runs on the clock, so its
// position and end behave the same.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "audio/media_decoder.h"
#include "audio/media_stream.h"
#include "audio/mixer.h"

namespace zrv {

class MediaPlayer {
public:
    MediaPlayer() = default;
    ~MediaPlayer() { Close(); }
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    // Music needs an audio stream; a movie (withVideo) an audio or a video stream. mixer
    // is null without an audio device. Stopped at the start afterwards.
    bool Open(const std::string& name, Mixer* mixer, bool withVideo);
    void Close() noexcept;

    // Plays from the current position; at the end it stays there.
    void Play();
    void Stop();
    // Stops and goes to that time, clamped to 0 .. LengthMs().
    void Seek(std::int32_t ms);
    void SeekToStart() { Seek(0); }

    std::int32_t LengthMs() const noexcept;
    const std::string& Title() const noexcept { return title_; }
    // Where playback is; LengthMs() once the piece has played to its end.
    std::int32_t PositionMs() const noexcept;
    // 1000 = normal.
    void SetVolume(std::int32_t volume) noexcept;

    std::int32_t VideoWidth() const noexcept { return videoWidth_; }
    std::int32_t VideoHeight() const noexcept { return videoHeight_; }
    // The latest picture whose time has come, when there is a newer one than last time.
    bool TakeDueFrame(VideoFrame& frame);

private:
    void Decode();
    double ClockNowMs() const noexcept;

    std::unique_ptr<MediaDecoder> decoder_;
    std::unique_ptr<MediaStream> stream_;  // null when the audio does not go to a device
    Mixer* mixer_ = nullptr;
    std::int32_t lengthMs_ = 0;
    std::string title_;
    std::int32_t videoWidth_ = 0;
    std::int32_t videoHeight_ = 0;

    // Where the frames the device has played are counted from: the last seek.
    std::int32_t streamBaseMs_ = 0;
    // Playback time when no device plays the audio: the wall clock while running.
    double clockBaseMs_ = 0;
    double clockStartedMs_ = 0;
    bool clockRunning_ = false;

    // Between the main thread and the decoder thread.
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable seekDone_;
    bool quit_ = false;
    bool seekRequested_ = false;
    std::int32_t seekTargetMs_ = 0;
    bool held_ = false;      // after a seek, until the ring is emptied
    bool finished_ = false;  // the file is decoded to its end
    std::deque<VideoFrame> pictures_;
};

}  // namespace zrv
