# What the project hands to others: a program built against an installed copy of the
# runtime (label platform), the player's Debian package (label app), both installing from
# this build tree one at a time, and the command index of docs/ (label platform).
set(ZRV_EXAMPLE_FLAGS "")
if(ZRV_SANITIZE)
  set(ZRV_EXAMPLE_FLAGS "-fsanitize=address,undefined")
endif()
add_test(NAME InstalledRuntime.AProgramBuiltAgainstItOutsideTheTreeRunsAndEnds
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/platform/installed_example_test.sh
    ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${CMAKE_CXX_COMPILER} "${ZRV_EXAMPLE_FLAGS}")
set_tests_properties(InstalledRuntime.AProgramBuiltAgainstItOutsideTheTreeRunsAndEnds PROPERTIES
  LABELS platform TIMEOUT 600 RESOURCE_LOCK zrv_install)
add_test(NAME PlayerPackage.DeclaresWhatThePlayerNeedsAndThePlayerFromItRuns
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/player_package_test.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(PlayerPackage.DeclaresWhatThePlayerNeedsAndThePlayerFromItRuns PROPERTIES
  LABELS app TIMEOUT 300 RESOURCE_LOCK zrv_install)
add_test(NAME CommandIndex.ListsEveryCommandThePublicHeadersDeclare
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/platform/command_index_test.sh ${PROJECT_SOURCE_DIR})
set_tests_properties(CommandIndex.ListsEveryCommandThePublicHeadersDeclare PROPERTIES LABELS platform)
