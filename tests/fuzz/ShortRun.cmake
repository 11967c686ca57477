# Registers the short fuzz run of the icon reader with ctest (included from
# tests/CMakeLists.txt). It builds its own clang folder the first time.
add_test(NAME fuzz_icon_reader_short
  COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run_short.sh ${CMAKE_SOURCE_DIR}
          ${CMAKE_BINARY_DIR}/fuzz-build 20)
set_tests_properties(fuzz_icon_reader_short PROPERTIES
  LABELS "fuzz;files" TIMEOUT 900 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)

# The same for the picture decoders of the import, a few seconds each.
add_test(NAME fuzz_picture_decoders_short
  COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run_picture_short.sh ${CMAKE_SOURCE_DIR}
          ${CMAKE_BINARY_DIR}/fuzz-build 5)
set_tests_properties(fuzz_picture_decoders_short PROPERTIES
  LABELS "fuzz;import" TIMEOUT 900 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
