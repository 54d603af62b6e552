// JPEG files through libjpeg, decompressed from memory. libjpeg's own error exit ends the
// process; here every error of the library fails the load instead.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "gfx2d/image_codecs.h"

namespace zrv {

namespace {

// A progressive file can repeat scans without end; real files have a few dozen.
constexpr int kMaxScans = 1000;

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void FailLoad(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Corrupt-data warnings go nowhere: nothing is shown to the user.
void IgnoreMessage(j_common_ptr) {}

void StopEndlessScans(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
        FailLoad(info);
    }
}

void SourceNoOp(j_decompress_ptr) {}

// The whole file is in the buffer from the start: asking for more means it is cut short.
boolean RefillFails(j_decompress_ptr info) { FailLoad(reinterpret_cast<j_common_ptr>(info)); }

void SkipWithinData(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = info->src;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer) FailLoad(reinterpret_cast<j_common_ptr>(info));
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void StoreRow(const JSAMPLE* in, int components, std::uint8_t* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, in += components, out += 4) {
        switch (components) {
            case 1: out[0] = out[1] = out[2] = in[0]; out[3] = 255; break;
            case 3: out[0] = in[0]; out[1] = in[1]; out[2] = in[2]; out[3] = 255; break;
            default: std::memcpy(out, in, 4); break;
        }
    }
}

struct JpegJob {
    ByteSpan bytes;
    DecodeLimits limits;
    DecodedImage* image;
};

// Everything between creating and destroying the decompressor. An error jumps back here;
// the frames it leaves hold no object with a destructor.
bool RunJpeg(JpegJob& job, jpeg_decompress_struct& info, JpegErrors& errors) {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = FailLoad;
    errors.manager.output_message = IgnoreMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    // Coefficient buffers of a progressive file are bounded like the pixels; libjpeg fails
    // instead of taking more.
    info.mem->max_memory_to_use = static_cast<long>(job.limits.maxPixels * 8);

    jpeg_progress_mgr progress{};
    progress.progress_monitor = StopEndlessScans;
    info.progress = &progress;

    jpeg_source_mgr source{};
    source.next_input_byte = job.bytes.data();
    source.bytes_in_buffer = job.bytes.size();
    source.init_source = SourceNoOp;
    source.fill_input_buffer = RefillFails;
    source.skip_input_data = SkipWithinData;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = SourceNoOp;
    info.src = &source;

    jpeg_read_header(&info, TRUE);
    if (static_cast<std::int64_t>(info.image_width) * info.image_height > job.limits.maxPixels ||
        info.image_width > static_cast<JDIMENSION>(kMaxImageSide) || info.image_height > static_cast<JDIMENSION>(kMaxImageSide)) {
        FailLoad(reinterpret_cast<j_common_ptr>(&info));
    }
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (components != 1 && components != 3 && components != 4) FailLoad(reinterpret_cast<j_common_ptr>(&info));
    if (!PrepareImage(*job.image, info.output_width, info.output_height, job.limits)) {
        FailLoad(reinterpret_cast<j_common_ptr>(&info));
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                info.output_width * components, 1);
    while (info.output_scanline < info.output_height) {
        const auto y = static_cast<std::int32_t>(info.output_scanline);
        if (jpeg_read_scanlines(&info, row, 1) != 1) FailLoad(reinterpret_cast<j_common_ptr>(&info));
        StoreRow(row[0], components, job.image->Row(y), info.output_width);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

bool DecodeJpeg(ByteSpan bytes, DecodedImage& image, const DecodeLimits& limits) {
    image.width = image.height = 0;
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    JpegJob job{bytes, limits, &image};
    if (RunJpeg(job, info, errors)) return true;
    image.width = image.height = 0;
    return false;
}

}  // namespace zrv
