# Installing the runtime for programs built elsewhere: `cmake --install` puts the static
# library, the runtime's main() as an object, the public headers, the pack tool, the
# start-up font, a CMake package configuration and a pkg-config file under the prefix.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ZRV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zorvane)
set(ZRV_INSTALL_FONT ${CMAKE_INSTALL_DATADIR}/zorvane/smalfont.png)

install(TARGETS zorvane EXPORT zorvaneTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# main() under one fixed name, which the package configuration and pkg-config both name.
set(ZRV_INSTALL_ENTRY ${CMAKE_INSTALL_LIBDIR}/zorvane/zorvane_main.o)
install(FILES $<TARGET_OBJECTS:zorvane_main> DESTINATION ${CMAKE_INSTALL_LIBDIR}/zorvane
  RENAME zorvane_main.o COMPONENT runtime)
# The whole folder: every public header there is, whoever added it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT runtime)
install(TARGETS zrv-pack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(FILES ${ZRV_DEFAULT_FONT} DESTINATION ${CMAKE_INSTALL_DATADIR}/zorvane COMPONENT runtime)

install(EXPORT zorvaneTargets NAMESPACE zorvane:: DESTINATION ${ZRV_CMAKE_DIR} COMPONENT runtime)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/zorvaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/zorvaneConfig.cmake
  INSTALL_DESTINATION ${ZRV_CMAKE_DIR}
  PATH_VARS ZRV_INSTALL_FONT ZRV_INSTALL_ENTRY)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/zorvaneConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/zorvaneConfig.cmake
  ${PROJECT_BINARY_DIR}/zorvaneConfigVersion.cmake
  ${PROJECT_SOURCE_DIR}/cmake/zorvaneDependencies.cmake
  DESTINATION ${ZRV_CMAKE_DIR} COMPONENT runtime)

# pkg-config finds the prefix from where the file lies, so a copy installed with --prefix
# anywhere still points at itself.
file(RELATIVE_PATH ZRV_PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" ZRV_PC_TO_PREFIX "${ZRV_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/zorvane.pc.in ${PROJECT_BINARY_DIR}/zorvane.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zorvane.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT runtime)
