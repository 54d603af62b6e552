# GoogleTest for the Windows test executables.
package=googletest
build() {
  cmake -S . -B build -G Ninja "${zrv_win_cmake[@]}" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON \
    -DCMAKE_INSTALL_LIBDIR=lib
  cmake --build build -j"$zrv_win_jobs"
  cmake --install build
}
