# SDL2 as a static library: the Win32 window and its events, WGL, game controllers and
# the sound device (WASAPI, DirectSound, winmm). What the runtime never asks for is left
# out, to keep the build short.
package=libsdl2
build() {
  cmake -S . -B build -G Ninja "${zrv_win_cmake[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON \
    -DSDL_TEST=OFF -DSDL_TESTS=OFF -DSDL_INSTALL_TESTS=OFF \
    -DSDL_VIDEO=ON -DSDL_OPENGL=ON -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF \
    -DSDL_RENDER=ON -DSDL_RENDER_D3D=OFF -DSDL_DIRECTX=ON \
    -DSDL_WASAPI=ON -DSDL_DISKAUDIO=ON -DSDL_DUMMYAUDIO=ON -DSDL_DUMMYVIDEO=ON \
    -DSDL_JOYSTICK=ON -DSDL_HAPTIC=ON -DSDL_HIDAPI=ON -DSDL_SENSOR=OFF -DSDL_LOCALE=ON \
    -DSDL_POWER=ON -DSDL_FILESYSTEM=ON -DSDL_MISC=ON \
    -DCMAKE_INSTALL_LIBDIR=lib
  cmake --build build -j"$zrv_win_jobs"
  cmake --install build
}
