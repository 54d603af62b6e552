// FFmpeg, reached through a table of its functions that is filled when music or a movie
// first opens. A program that never plays one never loads FFmpeg and the long tail of
// libraries it depends on, which would otherwise cost every start-up time and memory.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace zrv {

// (library, function) for every FFmpeg function the runtime calls.
#define ZRV_FFMPEG_FUNCTIONS(X)                          \
    X(avutil, av_log_set_level)                          \
    X(avutil, av_malloc)                                 \
    X(avutil, av_free)                                   \
    X(avutil, av_freep)                                  \
    X(avutil, av_rescale_q)                              \
    X(avutil, av_dict_get)                               \
    X(avutil, av_dict_set)                               \
    X(avutil, av_dict_free)                              \
    X(avutil, av_frame_alloc)                            \
    X(avutil, av_frame_free)                             \
    X(avutil, av_frame_unref)                            \
    X(avutil, av_channel_layout_copy)                    \
    X(avutil, av_channel_layout_default)                 \
    X(avutil, av_channel_layout_uninit)                  \
    X(avcodec, avcodec_find_decoder)                     \
    X(avcodec, avcodec_alloc_context3)                   \
    X(avcodec, avcodec_parameters_to_context)            \
    X(avcodec, avcodec_open2)                            \
    X(avcodec, avcodec_free_context)                     \
    X(avcodec, avcodec_send_packet)                      \
    X(avcodec, avcodec_receive_frame)                    \
    X(avcodec, avcodec_flush_buffers)                    \
    X(avcodec, av_packet_alloc)                          \
    X(avcodec, av_packet_free)                           \
    X(avcodec, av_packet_unref)                          \
    X(avformat, avformat_alloc_context)                  \
    X(avformat, avformat_open_input)                     \
    X(avformat, avformat_find_stream_info)               \
    X(avformat, avformat_close_input)                    \
    X(avformat, avformat_seek_file)                      \
    X(avformat, av_find_best_stream)                     \
    X(avformat, av_read_frame)                           \
    X(avformat, avio_alloc_context)                      \
    X(avformat, avio_context_free)                       \
    X(swresample, swr_alloc_set_opts2)                   \
    X(swresample, swr_init)                              \
    X(swresample, swr_free)                              \
    X(swresample, swr_set_matrix)                        \
    X(swresample, swr_convert)                           \
    X(swresample, swr_get_out_samples)                   \
    X(swscale, sws_getCachedContext)                     \
    X(swscale, sws_scale)                                \
    X(swscale, sws_freeContext)

struct FfmpegFunctions {
#define ZRV_FFMPEG_POINTER(library, name) decltype(&::name) name = nullptr;
    ZRV_FFMPEG_FUNCTIONS(ZRV_FFMPEG_POINTER)
#undef ZRV_FFMPEG_POINTER
};

// Fills the table: on POSIX from the shared libraries, opened now; on Windows, where FFmpeg
// is linked into the program, with the functions' own addresses. False, with a log line,
// when one is missing.
bool BindFfmpeg(FfmpegFunctions& functions);

// Loads the libraries on the first call (from any thread) and says whether every function
// was found; false for good when one is missing, and then nothing plays.
bool LoadFfmpeg() noexcept;
// True once LoadFfmpeg has succeeded; loads nothing.
bool FfmpegLoaded() noexcept;
// The table; only valid once LoadFfmpeg has returned true.
const FfmpegFunctions& Av() noexcept;

}  // namespace zrv
