# Builds the audio tests' media with scripts/make-test-media.sh into the build tree and
# tells the audio tests and the programs they start where it is.
set(ZRV_TEST_MEDIA_DIR ${CMAKE_BINARY_DIR}/test-media)
set(ZRV_TEST_MEDIA_FILES tone440.wav tone440.mp3 tone440.wma tone440.ogg tone440.flac short300.wav long3s.wav
  movie43.avi movie1s.avi)
list(TRANSFORM ZRV_TEST_MEDIA_FILES PREPEND ${ZRV_TEST_MEDIA_DIR}/ OUTPUT_VARIABLE ZRV_TEST_MEDIA_OUTPUTS)
add_custom_command(
  OUTPUT ${ZRV_TEST_MEDIA_OUTPUTS}
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/make-test-media.sh ${ZRV_TEST_MEDIA_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-test-media.sh
  COMMENT "Making the audio test media")
add_custom_target(zrv_test_media DEPENDS ${ZRV_TEST_MEDIA_OUTPUTS})
add_dependencies(zrv_test_audio zrv_test_media)
target_compile_definitions(zrv_test_audio PRIVATE ZRV_TEST_MEDIA_DIR="${ZRV_TEST_MEDIA_DIR}")
