// Demuxing and decoding one media file with FFmpeg: audio turned into interleaved stereo
// float at the mixer's rate, video frames into RGBA pictures. Used by one thread at a time
// (the media player opens it, its decoder thread runs it, the player closes it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/media_source.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;
struct SwsContext;

namespace zrv {

struct VideoFrame {
    std::int64_t timeMs = 0;  // from the start of the file
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

class MediaDecoder {
public:
    MediaDecoder() = default;
    ~MediaDecoder();
    MediaDecoder(const MediaDecoder&) = delete;
    MediaDecoder& operator=(const MediaDecoder&) = delete;

    // Opens the file (any name the file layer opens) and the decoders of its best audio
    // stream and, with withVideo, its best video stream. Audio is only decoded with an
    // outputRate above 0; without one the audio stream is still looked for, so that the
    // caller knows there is something to play. False when FFmpeg cannot open the file.
    bool Open(const std::string& name, std::int32_t outputRate, bool withVideo);

    bool HasAudio() const noexcept { return audioIndex_ >= 0; }
    bool HasVideo() const noexcept { return videoIndex_ >= 0; }
    std::int32_t LengthMs() const noexcept { return lengthMs_; }
    // The piece's title from the file's tags, or empty.
    const std::string& Title() const noexcept { return title_; }
    std::int32_t VideoWidth() const noexcept;
    std::int32_t VideoHeight() const noexcept;

    // Decodes the next packet of the file, appending audio frames to audio and pictures to
    // video. False once the end is reached and the decoders are flushed.
    bool DecodeNext(std::vector<float>& audio, std::vector<VideoFrame>& video);
    // To the given time from the start: the audio decoded next begins there, within a few
    // samples. The file is opened anew and read from its start when it cannot seek.
    bool Seek(std::int32_t ms);
    bool SeekToStart() { return Seek(0); }

private:
    void CloseAll() noexcept;
    // Everything but the source.
    void CloseFormat() noexcept;
    bool OpenFormat();
    bool OpenStreams();
    void ReceiveAudio(std::vector<float>& audio);
    void DropBeforeSeekTarget(const AVFrame& frame, std::vector<float>& audio, std::size_t from);
    void ReceiveVideo(std::vector<VideoFrame>& video);
    bool ConvertAudio(const AVFrame& frame, std::vector<float>& audio);
    void DrainResampler(std::vector<float>& audio);
    void Flush(std::vector<float>& audio, std::vector<VideoFrame>& video);

    std::unique_ptr<MediaSource> source_;
    std::int32_t outputRate_ = 0;
    bool withVideo_ = false;

    AVFormatContext* format_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwrContext* resampler_ = nullptr;
    SwsContext* scaler_ = nullptr;
    int audioIndex_ = -1;
    int videoIndex_ = -1;
    // What the resampler was set up for; a change in the stream sets it up again.
    int resamplerFormat_ = -1;
    int resamplerRate_ = 0;
    int resamplerChannels_ = 0;
    std::int32_t lengthMs_ = 0;
    std::string title_;
    bool atEnd_ = false;
    // After a seek, until audio of the target time comes: the target, and the time of the
    // next sample decoded (from the frames' stamps, counted on where they have none).
    double skipToMs_ = 0;
    double decodedToMs_ = 0;
};

}  // namespace zrv
