# FFmpeg cut down to what music and movies play from: WAVE, MP3, WMA in ASF, Vorbis in
# Ogg, FLAC, and AVI/QuickTime/MP4 films in Motion JPEG, MPEG-4 part 2 or H.264 with their
# usual sound. Windows threads, no programs, documents or network; plain C without the
# assembler paths.
package=ffmpeg
build() {
  ./configure --prefix="$prefix" --enable-cross-compile --target-os=mingw32 --arch=x86_64 \
    --cross-prefix="$zrv_win_host-" --cc="$zrv_win_cc" --cxx="$zrv_win_cxx" \
    --pkg-config=false --disable-shared --enable-static --disable-debug \
    --disable-programs --disable-doc --disable-network --disable-autodetect \
    --disable-x86asm --disable-everything --enable-w32threads \
    --disable-avdevice --disable-avfilter --disable-postproc \
    --enable-avformat --enable-avcodec --enable-swresample --enable-swscale \
    --enable-protocol=file \
    --enable-demuxer=wav,mp3,asf,ogg,flac,avi,mov \
    --enable-parser=mpegaudio,vorbis,flac,mjpeg,mpeg4video,h264,aac \
    --enable-decoder=pcm_u8,pcm_s16le,pcm_s16be,pcm_s24le,pcm_s32le,pcm_f32le,pcm_f64le,pcm_alaw,pcm_mulaw \
    --enable-decoder=adpcm_ms,adpcm_ima_wav,mp1,mp2,mp3,mp3float,wmav1,wmav2,vorbis,flac,aac \
    --enable-decoder=mjpeg,mpeg4,h264
  make -j"$zrv_win_jobs"
  make install
}
