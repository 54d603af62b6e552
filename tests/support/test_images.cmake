# The image builders of tests/support as a library of their own: the image tests and the
# benchmarks make the files they decode with the same code, and the libraries the runtime
# reads them with. Included by tests/ and bench/, whichever of them the build has.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
if(NOT TARGET zrv_test_images)
  add_library(zrv_test_images STATIC ${CMAKE_CURRENT_LIST_DIR}/image_builders.cpp)
  target_include_directories(zrv_test_images PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(zrv_test_images PUBLIC PNG::PNG JPEG::JPEG)
endif()
