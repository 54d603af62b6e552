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

# For seeking: two seconds at 440 Hz, then two at 880 Hz, so that where playback landed
# can be heard; in every format music plays from, mp3 also at a variable rate. For the
# title: short tones tagged the way each format keeps tags.
set(ZRV_FFMPEG ffmpeg -hide_banner -loglevel error -nostdin -y)
set(ZRV_MEDIA_TITLE "Night Tide – Part 2")
set(ZRV_CONTROL_MEDIA_FILES step.wav step.mp3 stepvbr.mp3 step.ogg step.wma titled.mp3 titled.ogg titled.wma)
file(MAKE_DIRECTORY ${ZRV_TEST_MEDIA_DIR})
list(TRANSFORM ZRV_CONTROL_MEDIA_FILES PREPEND ${ZRV_TEST_MEDIA_DIR}/ OUTPUT_VARIABLE ZRV_CONTROL_MEDIA_OUTPUTS)
add_custom_command(
  OUTPUT ${ZRV_CONTROL_MEDIA_OUTPUTS}
  COMMAND sox -n -r 44100 -c 1 -b 16 step-low.wav synth 2 sine 440 vol 0.5
  COMMAND sox -n -r 44100 -c 1 -b 16 step-high.wav synth 2 sine 880 vol 0.5
  COMMAND sox step-low.wav step-high.wav step.wav
  COMMAND ${CMAKE_COMMAND} -E remove step-low.wav step-high.wav
  COMMAND ${ZRV_FFMPEG} -i step.wav -c:a libmp3lame -b:a 128k step.mp3
  COMMAND ${ZRV_FFMPEG} -i step.wav -c:a libmp3lame -q:a 4 stepvbr.mp3
  COMMAND ${ZRV_FFMPEG} -i step.wav -c:a libvorbis -q:a 4 step.ogg
  COMMAND ${ZRV_FFMPEG} -i step.wav -c:a wmav2 -b:a 128k step.wma
  COMMAND ${ZRV_FFMPEG} -f lavfi -i sine=frequency=440:duration=0.5 -metadata "title=${ZRV_MEDIA_TITLE}" titled.mp3
  COMMAND ${ZRV_FFMPEG} -f lavfi -i sine=frequency=440:duration=0.5 -c:a libvorbis -metadata "title=${ZRV_MEDIA_TITLE}" titled.ogg
  COMMAND ${ZRV_FFMPEG} -f lavfi -i sine=frequency=440:duration=0.5 -c:a wmav2 -metadata "title=${ZRV_MEDIA_TITLE}" titled.wma
  WORKING_DIRECTORY ${ZRV_TEST_MEDIA_DIR}
  VERBATIM
  COMMENT "Making the music control test media")

add_custom_target(zrv_test_media DEPENDS ${ZRV_TEST_MEDIA_OUTPUTS} ${ZRV_CONTROL_MEDIA_OUTPUTS})
add_dependencies(zrv_test_audio zrv_test_media)
target_compile_definitions(zrv_test_audio PRIVATE ZRV_TEST_MEDIA_DIR="${ZRV_TEST_MEDIA_DIR}"
  ZRV_TEST_MEDIA_TITLE="${ZRV_MEDIA_TITLE}")
