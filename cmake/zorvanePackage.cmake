# The music player as a desktop program. On Linux it is installed with its desktop entry,
# its icon and the start-up font (component "player", left out of a plain `cmake
# --install`, which installs the runtime), and packaged for Debian by `cpack -G DEB`. The
# package's dependencies are derived from the libraries the executable needs
# (dpkg-shlibdeps).
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME zorvane)
set(CPACK_PACKAGE_VENDOR "The Zorvane project")
set(CPACK_PACKAGE_CONTACT "The Zorvane project <zorvane@localhost>")
set(CPACK_COMPONENTS_ALL player)

if(WIN32)
  # On Windows, a zip to unpack anywhere (`cpack -G ZIP`, or plain `cpack`): the statically
  # linked player, which carries its media, and the runtime's start-up font beside it.
  install(TARGETS zorvane_player RUNTIME DESTINATION . COMPONENT player EXCLUDE_FROM_ALL)
  install(FILES ${ZRV_DEFAULT_FONT} DESTINATION . COMPONENT player EXCLUDE_FROM_ALL)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_ARCHIVE_PLAYER_FILE_NAME zorvane-player-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  install(TARGETS zorvane_player RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT player EXCLUDE_FROM_ALL)
  install(FILES ${PROJECT_SOURCE_DIR}/app/zorvane-player.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT player EXCLUDE_FROM_ALL)
  install(FILES ${PROJECT_SOURCE_DIR}/runtime/display/zorvane_icon.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME zorvane-player.png
    COMPONENT player EXCLUDE_FROM_ALL)
  install(FILES ${ZRV_DEFAULT_FONT} DESTINATION ${CMAKE_INSTALL_DATADIR}/zorvane COMPONENT player EXCLUDE_FROM_ALL)

  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PLAYER_PACKAGE_NAME zorvane-player)
  set(CPACK_DEBIAN_PLAYER_PACKAGE_SECTION sound)
  set(CPACK_DEBIAN_PLAYER_DESCRIPTION "Small desktop music player on the Zorvane runtime
A wide, low window with a file list of your folders, a drive list, a loop switch and a
volume slider; music files play with a click while a picture of tiles animates.")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # SDL opens the system's OpenGL library (GLX) itself when it makes the window: no library
  # of the player links it, so dpkg-shlibdeps cannot see it.
  set(CPACK_DEBIAN_PLAYER_PACKAGE_DEPENDS libgl1)
endif()
include(CPack)
