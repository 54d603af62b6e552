# Cross-building for 64-bit Windows with Debian's mingw-w64 (posix thread model, for
# std::thread and std::mutex):
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DZRV_WINDOWS_DEPS="prefix;prefix..." ...
# ZRV_WINDOWS_DEPS lists the install folders of the cross-built dependencies
# (scripts/build-windows.sh makes them); the mingw system folder, which has zlib, is
# searched too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZRV_MINGW_HOST x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ZRV_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZRV_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${ZRV_MINGW_HOST}-windres)
set(CMAKE_AR ${ZRV_MINGW_HOST}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${ZRV_MINGW_HOST}-ranlib CACHE FILEPATH "")

# Try-compiles read this file again and need the same search folders.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZRV_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH ${ZRV_WINDOWS_DEPS} /usr/${ZRV_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static libraries only, and a static C++ and threads runtime: the executables run on a
# Windows machine with nothing installed (and under wine without mingw's DLLs).
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# pkg-config (FFmpeg) sees the cross-built libraries only, with what static linking needs.
set(ZRV_PKG_CONFIG_DIRS)
foreach(prefix ${ZRV_WINDOWS_DEPS})
  list(APPEND ZRV_PKG_CONFIG_DIRS ${prefix}/lib/pkgconfig)
endforeach()
string(REPLACE ";" ":" ZRV_PKG_CONFIG_DIRS "${ZRV_PKG_CONFIG_DIRS}")
set(ENV{PKG_CONFIG_LIBDIR} "${ZRV_PKG_CONFIG_DIRS}")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)
