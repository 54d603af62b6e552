#include "audio/media_decoder.h"

#include <algorithm>
#include <limits>
#include <mutex>

#include "audio/ffmpeg_library.h"
#include "files/plain_file.h"

namespace zrv {

namespace {

// What opening a file may read, counted afresh for its two steps. FFmpeg's own limit on
// the search for the streams counts only the packets a demuxer hands out, and a parser fed
// a whole file of garbage in search of its first frame keeps all of it: a file of zeros
// named .mp3 would take time and memory in proportion to its size. Real files tell their
// streams in their first megabytes; the headers, among them the index at the end of a long
// movie, may take more.
constexpr std::int64_t kHeaderBytes = 32 << 20;
constexpr std::int64_t kStreamSearchBytes = 8 << 20;
// How far before the target a seek lands, to be decoded and dropped: the first frames after
// a jump decode to silence where they lean on the frames before them (an mp3 frame's bit
// reservoir reaches back over many small frames of a low-rate piece), and some formats
// land a little after the time asked for.
constexpr std::int32_t kSeekLeadMs = 500;

void KeepFFmpegQuiet() {
    // The runtime reports failures through its commands, never on the terminal.
    static std::once_flag once;
    std::call_once(once, [] { Av().av_log_set_level(AV_LOG_QUIET); });
}

AVCodecContext* OpenDecoder(const AVStream& stream, int threads) {
    const AVCodec* codec = Av().avcodec_find_decoder(stream.codecpar->codec_id);
    if (codec == nullptr) return nullptr;
    AVCodecContext* context = Av().avcodec_alloc_context3(codec);
    if (context == nullptr) return nullptr;
    context->thread_count = threads;
    bool ready = Av().avcodec_parameters_to_context(context, stream.codecpar) >= 0;
    if (ready) {
        context->pkt_timebase = stream.time_base;
        ready = Av().avcodec_open2(context, codec, nullptr) >= 0;
    }
    if (!ready) Av().avcodec_free_context(&context);
    return context;
}

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t DurationMs(const AVFormatContext& format) {
    if (format.duration != AV_NOPTS_VALUE && format.duration > 0) return ClampToInt32(format.duration / 1000);
    std::int64_t longest = 0;
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        const AVStream& stream = *format.streams[i];
        if (stream.duration == AV_NOPTS_VALUE || stream.duration <= 0) continue;
        longest = std::max(longest, Av().av_rescale_q(stream.duration, stream.time_base, AVRational{1, 1000}));
    }
    return ClampToInt32(longest);
}

// ID3 and ASF tags belong to the file; Vorbis comments, in Ogg, to the stream they come with.
std::string TitleOf(const AVFormatContext& format, int audioIndex) {
    const AVDictionaryEntry* tag = Av().av_dict_get(format.metadata, "title", nullptr, 0);
    if (tag == nullptr && audioIndex >= 0) tag = Av().av_dict_get(format.streams[audioIndex]->metadata, "title", nullptr, 0);
    return tag != nullptr && tag->value != nullptr ? tag->value : "";
}

}  // namespace

MediaDecoder::~MediaDecoder() { CloseAll(); }

void MediaDecoder::CloseAll() noexcept {
    CloseFormat();
    source_.reset();
}

void MediaDecoder::CloseFormat() noexcept {
    // Without FFmpeg nothing was ever opened.
    if (!FfmpegLoaded()) return;
    Av().avcodec_free_context(&audio_);
    Av().avcodec_free_context(&video_);
    Av().av_frame_free(&frame_);
    Av().av_packet_free(&packet_);
    Av().swr_free(&resampler_);
    Av().sws_freeContext(scaler_);
    scaler_ = nullptr;
    Av().avformat_close_input(&format_);
    audioIndex_ = videoIndex_ = -1;
    resamplerFormat_ = -1;
    atEnd_ = false;
    title_.clear();
}

bool MediaDecoder::Open(const std::string& name, std::int32_t outputRate, bool withVideo) {
    CloseAll();
    outputRate_ = outputRate;
    withVideo_ = withVideo;
    skipToMs_ = 0;
    // A named pipe could hold the program until somebody writes into it.
    if (!IsPlainFile(name)) return false;
    if (!LoadFfmpeg()) return false;
    KeepFFmpegQuiet();
    source_ = std::make_unique<MediaSource>();
    if (!source_->Open(name) || !OpenFormat()) {
        CloseAll();
        return false;
    }
    return true;
}

bool MediaDecoder::OpenFormat() {
    format_ = Av().avformat_alloc_context();
    if (format_ == nullptr) return false;
    const std::string url = source_->AttachTo(*format_);
    // A playlist inside a media file may name further files to read, never a URL of the
    // network or one of FFmpeg's other protocols.
    AVDictionary* options = nullptr;
    Av().av_dict_set(&options, "protocol_whitelist", "file", 0);
    source_->LimitReading(kHeaderBytes);
    // On failure the context is freed and format_ cleared.
    const int opened = Av().avformat_open_input(&format_, url.c_str(), nullptr, &options);
    Av().av_dict_free(&options);
    if (opened != 0) return false;
    // A file that had not told its streams within the limits is refused as a whole: its
    // reader has failed at least once, which the demuxer may remember.
    bool found = !source_->LimitReached();
    source_->LimitReading(kStreamSearchBytes);
    found = found && Av().avformat_find_stream_info(format_, nullptr) >= 0 && !source_->LimitReached();
    source_->LimitReading(0);
    if (!found || !OpenStreams()) {
        CloseFormat();
        return false;
    }
    lengthMs_ = DurationMs(*format_);
    title_ = TitleOf(*format_, audioIndex_);
    return true;
}

bool MediaDecoder::OpenStreams() {
    for (unsigned i = 0; i < format_->nb_streams; ++i) format_->streams[i]->discard = AVDISCARD_ALL;
    const int audio = Av().av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (audio >= 0) {
        audio_ = OpenDecoder(*format_->streams[audio], 1);
        if (audio_ != nullptr) audioIndex_ = audio;
    }
    const int video = withVideo_ ? Av().av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0) : -1;
    // A cover picture in a music file is no movie.
    if (video >= 0 && (format_->streams[video]->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0) {
        video_ = OpenDecoder(*format_->streams[video], 0);
        if (video_ != nullptr) videoIndex_ = video;
    }
    if (audioIndex_ >= 0 && outputRate_ > 0) format_->streams[audioIndex_]->discard = AVDISCARD_DEFAULT;
    if (videoIndex_ >= 0) format_->streams[videoIndex_]->discard = AVDISCARD_DEFAULT;
    frame_ = Av().av_frame_alloc();
    packet_ = Av().av_packet_alloc();
    return frame_ != nullptr && packet_ != nullptr;
}

std::int32_t MediaDecoder::VideoWidth() const noexcept { return video_ != nullptr ? video_->width : 0; }

std::int32_t MediaDecoder::VideoHeight() const noexcept { return video_ != nullptr ? video_->height : 0; }

bool MediaDecoder::DecodeNext(std::vector<float>& audio, std::vector<VideoFrame>& video) {
    if (format_ == nullptr || atEnd_) return false;
    if (Av().av_read_frame(format_, packet_) < 0) {
        // The end of the file, or a read error, which ends the piece just the same.
        Flush(audio, video);
        atEnd_ = true;
        return true;
    }
    const bool wantAudio = packet_->stream_index == audioIndex_ && outputRate_ > 0;
    const bool wantVideo = packet_->stream_index == videoIndex_;
    AVCodecContext* decoder = wantAudio ? audio_ : wantVideo ? video_ : nullptr;
    // A damaged packet is dropped; the frames around it still play.
    if (decoder != nullptr && Av().avcodec_send_packet(decoder, packet_) >= 0) {
        if (wantAudio) ReceiveAudio(audio);
        else ReceiveVideo(video);
    }
    Av().av_packet_unref(packet_);
    return true;
}

void MediaDecoder::Flush(std::vector<float>& audio, std::vector<VideoFrame>& video) {
    if (audio_ != nullptr && outputRate_ > 0 && Av().avcodec_send_packet(audio_, nullptr) >= 0) ReceiveAudio(audio);
    if (video_ != nullptr && Av().avcodec_send_packet(video_, nullptr) >= 0) ReceiveVideo(video);
    DrainResampler(audio);
}

void MediaDecoder::ReceiveAudio(std::vector<float>& audio) {
    while (Av().avcodec_receive_frame(audio_, frame_) >= 0) {
        const std::size_t from = audio.size();
        ConvertAudio(*frame_, audio);
        if (skipToMs_ > 0) DropBeforeSeekTarget(*frame_, audio, from);
        Av().av_frame_unref(frame_);
    }
}

void MediaDecoder::DropBeforeSeekTarget(const AVFrame& frame, std::vector<float>& audio, std::size_t from) {
    // A seek lands on a packet at or before the target, as far before it as the format's
    // index or its pages make it: the stamps tell how much of the decoded audio to drop.
    const AVStream& stream = *format_->streams[audioIndex_];
    if (frame.best_effort_timestamp != AV_NOPTS_VALUE) {
        std::int64_t stamp = frame.best_effort_timestamp;
        if (stream.start_time != AV_NOPTS_VALUE) stamp -= stream.start_time;
        decodedToMs_ = static_cast<double>(Av().av_rescale_q(stamp, stream.time_base, AVRational{1, 1000000})) / 1000.0;
    }
    const std::size_t frames = (audio.size() - from) / 2;
    const double early = (skipToMs_ - decodedToMs_) * outputRate_ / 1000.0;
    const std::size_t dropped = early <= 0 ? 0 : std::min(frames, static_cast<std::size_t>(early));
    audio.erase(audio.begin() + static_cast<std::ptrdiff_t>(from),
                audio.begin() + static_cast<std::ptrdiff_t>(from + dropped * 2));
    decodedToMs_ += frames * 1000.0 / outputRate_;
    if (dropped < frames || early <= 0) skipToMs_ = 0;
}

bool MediaDecoder::ConvertAudio(const AVFrame& frame, std::vector<float>& audio) {
    const int channels = frame.ch_layout.nb_channels;
    if (channels <= 0 || frame.sample_rate <= 0) return false;
    if (resampler_ == nullptr || frame.format != resamplerFormat_ || frame.sample_rate != resamplerRate_ ||
        channels != resamplerChannels_) {
        DrainResampler(audio);
        Av().swr_free(&resampler_);
        AVChannelLayout input{};
        if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) Av().av_channel_layout_default(&input, channels);
        else Av().av_channel_layout_copy(&input, &frame.ch_layout);
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        const int made = Av().swr_alloc_set_opts2(&resampler_, &stereo, AV_SAMPLE_FMT_FLT, outputRate_, &input,
                                             static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
        Av().av_channel_layout_uninit(&input);
        if (made < 0 || resampler_ == nullptr) return false;
        // A mono piece plays at its full level on both sides, as on a single speaker; the
        // resampler's own mix would lower it by 3 dB.
        static const double kMonoToBoth[2] = {1.0, 1.0};
        if (channels == 1) Av().swr_set_matrix(resampler_, kMonoToBoth, 1);
        if (Av().swr_init(resampler_) < 0) {
            Av().swr_free(&resampler_);
            return false;
        }
        resamplerFormat_ = frame.format;
        resamplerRate_ = frame.sample_rate;
        resamplerChannels_ = channels;
    }
    const int room = Av().swr_get_out_samples(resampler_, frame.nb_samples);
    if (room <= 0) return true;
    const std::size_t before = audio.size();
    audio.resize(before + static_cast<std::size_t>(room) * 2);
    auto* out = reinterpret_cast<std::uint8_t*>(audio.data() + before);
    const int made = Av().swr_convert(resampler_, &out, room, const_cast<const std::uint8_t**>(frame.extended_data),
                                 frame.nb_samples);
    audio.resize(before + static_cast<std::size_t>(std::max(made, 0)) * 2);
    return made >= 0;
}

void MediaDecoder::DrainResampler(std::vector<float>& audio) {
    if (resampler_ == nullptr) return;
    for (;;) {
        const int room = Av().swr_get_out_samples(resampler_, 0);
        if (room <= 0) return;
        const std::size_t before = audio.size();
        audio.resize(before + static_cast<std::size_t>(room) * 2);
        auto* out = reinterpret_cast<std::uint8_t*>(audio.data() + before);
        const int made = Av().swr_convert(resampler_, &out, room, nullptr, 0);
        audio.resize(before + static_cast<std::size_t>(std::max(made, 0)) * 2);
        if (made <= 0) return;
    }
}

void MediaDecoder::ReceiveVideo(std::vector<VideoFrame>& video) {
    const AVStream& stream = *format_->streams[videoIndex_];
    while (Av().avcodec_receive_frame(video_, frame_) >= 0) {
        const AVFrame& frame = *frame_;
        scaler_ = Av().sws_getCachedContext(scaler_, frame.width, frame.height, static_cast<AVPixelFormat>(frame.format),
                                       frame.width, frame.height, AV_PIX_FMT_RGBA, SWS_BILINEAR, nullptr, nullptr,
                                       nullptr);
        if (scaler_ != nullptr && frame.width > 0 && frame.height > 0) {
            VideoFrame picture;
            picture.width = frame.width;
            picture.height = frame.height;
            picture.rgba.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 4);
            std::uint8_t* planes[4] = {picture.rgba.data(), nullptr, nullptr, nullptr};
            const int strides[4] = {frame.width * 4, 0, 0, 0};
            Av().sws_scale(scaler_, frame.data, frame.linesize, 0, frame.height, planes, strides);
            std::int64_t stamp = frame.best_effort_timestamp;
            if (stamp == AV_NOPTS_VALUE) stamp = 0;
            if (stream.start_time != AV_NOPTS_VALUE) stamp -= stream.start_time;
            picture.timeMs = Av().av_rescale_q(stamp, stream.time_base, AVRational{1, 1000});
            video.push_back(std::move(picture));
        }
        Av().av_frame_unref(frame_);
    }
}

bool MediaDecoder::Seek(std::int32_t ms) {
    if (format_ == nullptr) return false;
    const std::int64_t start = format_->start_time != AV_NOPTS_VALUE ? format_->start_time : 0;
    const std::int64_t target = start + std::int64_t{std::max(ms - kSeekLeadMs, 0)} * 1000;
    skipToMs_ = ms;
    decodedToMs_ = 0;
    if (Av().avformat_seek_file(format_, -1, std::numeric_limits<std::int64_t>::min(), target, target, 0) < 0) {
        // A file that cannot seek is read from its first byte once more, and decoded up to
        // the target.
        CloseFormat();
        return source_->Rewind() && OpenFormat();
    }
    if (audio_ != nullptr) Av().avcodec_flush_buffers(audio_);
    if (video_ != nullptr) Av().avcodec_flush_buffers(video_);
    // Samples the resampler still holds belong to the old position.
    Av().swr_free(&resampler_);
    resamplerFormat_ = -1;
    atEnd_ = false;
    return true;
}

}  // namespace zrv
