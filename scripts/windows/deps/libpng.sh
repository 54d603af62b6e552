# libpng on the zlib of Debian's mingw package.
package=libpng1.6
build() {
  ./configure --host="$zrv_win_host" --prefix="$prefix" --disable-shared --enable-static \
    CC="$zrv_win_cc" CFLAGS=-O2
  make -j"$zrv_win_jobs" install
}
