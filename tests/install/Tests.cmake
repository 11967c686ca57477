# Install and package checks: a fresh install tree and the Debian package,
# each run from PATH. They need the whole build, hence their own label.
if(TARGET glyphsmith)
  add_test(NAME install_tree_runs_from_path
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  add_test(NAME debian_package_runs_from_dpkg_x
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/package_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}
            $<CONFIG>)
  set_tests_properties(install_tree_runs_from_path debian_package_runs_from_dpkg_x
    PROPERTIES LABELS install RUN_SERIAL TRUE TIMEOUT 600)
  add_test(NAME editor_opens_a_file_name_that_is_not_utf8
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/file_name_bytes_test.sh ${CMAKE_BINARY_DIR})
endif()

# The shell completion written by the build, against the tool's own --help.
add_test(NAME tool_completion_offers_commands_and_options
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/completion_test.sh ${CMAKE_BINARY_DIR})
