# libjpeg-turbo with the libjpeg 6.2 interface, as on Debian; without its SIMD code, which
# would need an assembler for one format the runtime rarely decodes.
package=libjpeg-turbo
build() {
  cmake -S . -B build -G Ninja "${zrv_win_cmake[@]}" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DCMAKE_INSTALL_LIBDIR="$prefix/lib" \
    -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include"
  cmake --build build -j"$zrv_win_jobs"
  cmake --install build
}
