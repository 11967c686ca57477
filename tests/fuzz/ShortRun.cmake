# Registers the short fuzz run of the icon reader with ctest (included from
# tests/CMakeLists.txt). It builds its own clang folder the first time.
add_test(NAME fuzz_icon_reader_short
  COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run_short.sh ${CMAKE_SOURCE_DIR}
          ${CMAKE_BINARY_DIR}/fuzz-build 20)
set_tests_properties(fuzz_icon_reader_short PROPERTIES
  LABELS "fuzz;files" TIMEOUT 900 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
