# LZO: the safe LZO1X decompressor of the media pack.
package=lzo2
build() {
  ./configure --host="$zrv_win_host" --prefix="$prefix" --disable-shared --enable-static \
    CC="$zrv_win_cc" CFLAGS=-O2
  make -j"$zrv_win_jobs" install
}
