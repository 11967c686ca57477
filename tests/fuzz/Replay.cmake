# The fuzz targets' seeds and regressions, each input once through the
# target's own checks, by a plain driver (replay_main.cpp) built with the
# normal compiler: ordinary tests of the normal build, and of `make check`'s
# sanitizer build. The libFuzzer runs themselves are `make fuzz` (clang).
# Included from tests/CMakeLists.txt.
set(GS_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(gs_fuzz_replay_main OBJECT ${GS_FUZZ_DIR}/replay_main.cpp)
set_target_properties(gs_fuzz_replay_main PROPERTIES AUTOMOC OFF)

#   gs_fuzz_replay(NAME SOURCE src LABEL subsystem [DEFINES d...] INPUTS path...)
function(gs_fuzz_replay name)
  cmake_parse_arguments(R "" "SOURCE;LABEL" "DEFINES;INPUTS" ${ARGN})
  add_executable(replay_${name} ${GS_FUZZ_DIR}/${R_SOURCE} $<TARGET_OBJECTS:gs_fuzz_replay_main>)
  target_include_directories(replay_${name} PRIVATE ${CMAKE_SOURCE_DIR} ${PNG_INCLUDE_DIRS}
    ${JPEG_INCLUDE_DIRS} ${GIF_INCLUDE_DIRS})
  target_compile_definitions(replay_${name} PRIVATE ${R_DEFINES})
  target_link_libraries(replay_${name} PRIVATE glyphsmith_core)
  set_target_properties(replay_${name} PROPERTIES AUTOMOC OFF)
  set(inputs "")
  foreach(in IN LISTS R_INPUTS)
    list(APPEND inputs ${GS_FUZZ_DIR}/${in})
  endforeach()
  add_test(NAME fuzz_replay_${name} COMMAND replay_${name} ${inputs})
  set_tests_properties(fuzz_replay_${name} PROPERTIES LABELS "core;replay;${R_LABEL}")
endfunction()

gs_fuzz_replay(icon_reader SOURCE fuzz_icon_reader.cpp LABEL files INPUTS corpus regressions)
gs_fuzz_replay(xcursor SOURCE fuzz_xcursor.cpp LABEL files INPUTS xcursor_corpus)
gs_fuzz_replay(profile SOURCE fuzz_profile.cpp LABEL platform INPUTS profile_corpus)
gs_fuzz_replay(program_thumbnail SOURCE fuzz_program_thumbnail.cpp LABEL import
  INPUTS thumbnail_corpus)
foreach(pair "pe;1" "ne;2" "icon_group;3")
  list(GET pair 0 container)
  list(GET pair 1 id)
  gs_fuzz_replay(${container}_resources SOURCE fuzz_icon_resources.cpp LABEL import
    DEFINES FUZZ_CONTAINER=${id} INPUTS resources_corpus/${container})
endforeach()
foreach(pair "bmp;0" "png;1" "jpeg;2" "gif;3")
  list(GET pair 0 format)
  list(GET pair 1 id)
  set(inputs picture_corpus/${format})
  if(IS_DIRECTORY ${GS_FUZZ_DIR}/picture_regressions/${format})
    list(APPEND inputs picture_regressions/${format})
  endif()
  gs_fuzz_replay(picture_${format} SOURCE fuzz_picture.cpp LABEL import
    DEFINES GS_PICTURE_FORMAT=${id} INPUTS ${inputs})
endforeach()
