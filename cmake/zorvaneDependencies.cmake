# The libraries the runtime links against, found the same way by its own build and by the
# package configuration of an installed copy (where a missing one makes
# find_package(zorvane) fail with the name of what is missing instead of an error).
include(CMakeFindDependencyMacro)
macro(zrv_find_dependency)
  if(CMAKE_FIND_PACKAGE_NAME)
    find_dependency(${ARGN})
  else()
    find_package(${ARGN} REQUIRED)
  endif()
endmacro()

zrv_find_dependency(Threads)
# SDL2 serves the window, its events, input devices, the sound device and the message box;
# OpenGL draws.
zrv_find_dependency(SDL2)
zrv_find_dependency(OpenGL)
# Image files: PNG through libpng (on zlib), JPEG through libjpeg.
zrv_find_dependency(PNG)
zrv_find_dependency(JPEG)
# Music and movies: FFmpeg demuxes, decodes, resamples and converts the pictures.
zrv_find_dependency(PkgConfig)
if(NOT TARGET PkgConfig::ZRV_FFMPEG)
  pkg_check_modules(ZRV_FFMPEG IMPORTED_TARGET libavformat libavcodec libavutil libswresample libswscale)
endif()
# The desktop's media controls reach the program over the session bus (Linux only).
if(NOT WIN32 AND NOT TARGET PkgConfig::ZRV_DBUS)
  pkg_check_modules(ZRV_DBUS IMPORTED_TARGET dbus-1)
endif()
# LZO1X unpacks the media pack's entries.
find_path(ZRV_LZO2_INCLUDE_DIR lzo/lzo1x.h)
find_library(ZRV_LZO2_LIBRARY lzo2)
if(ZRV_LZO2_INCLUDE_DIR AND ZRV_LZO2_LIBRARY AND NOT TARGET zorvane::lzo2)
  add_library(zorvane::lzo2 UNKNOWN IMPORTED)
  set_target_properties(zorvane::lzo2 PROPERTIES
    IMPORTED_LOCATION "${ZRV_LZO2_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${ZRV_LZO2_INCLUDE_DIR}")
endif()

set(zrv_missing)
if(NOT TARGET PkgConfig::ZRV_FFMPEG)
  list(APPEND zrv_missing "FFmpeg (libavformat, libavcodec, libavutil, libswresample, libswscale)")
endif()
if(NOT WIN32 AND NOT TARGET PkgConfig::ZRV_DBUS)
  list(APPEND zrv_missing "libdbus (dbus-1)")
endif()
if(NOT TARGET zorvane::lzo2)
  list(APPEND zrv_missing "LZO (lzo/lzo1x.h and liblzo2)")
endif()
if(zrv_missing)
  if(CMAKE_FIND_PACKAGE_NAME)
    set(${CMAKE_FIND_PACKAGE_NAME}_NOT_FOUND_MESSAGE "missing: ${zrv_missing}")
    set(${CMAKE_FIND_PACKAGE_NAME}_FOUND FALSE)
  else()
    message(FATAL_ERROR "The runtime needs ${zrv_missing}")
  endif()
endif()
