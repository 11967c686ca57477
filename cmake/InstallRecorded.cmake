# `make install`: installs the built tree, then keeps the list of every file
# it wrote in a record of its own, which `make uninstall` (Uninstall.cmake)
# reads and nothing else writes. CMake's install_manifest.txt is no such
# record: every install of the tree rewrites it, cpack's too, whose paths are
# the package's own files under /usr.
#   cmake -DBUILD=build -DPREFIX=/usr/local -DRECORD=build/make_install_record.txt
#         -P cmake/InstallRecorded.cmake
# DESTDIR (from the environment) is honoured, and recorded in the paths.
foreach(var BUILD PREFIX RECORD)
  if("${${var}}" STREQUAL "")
    message(FATAL_ERROR "InstallRecorded.cmake needs -D${var}=...")
  endif()
endforeach()
get_filename_component(prefix "${PREFIX}" ABSOLUTE)
set(destdir "$ENV{DESTDIR}")
if(NOT destdir STREQUAL "")
  get_filename_component(destdir "${destdir}" ABSOLUTE)
  string(REGEX REPLACE "/+$" "" destdir "${destdir}")
endif()

# A manifest left by an earlier install (or by cpack) must never pass for this
# one's, should this one stop before writing its own.
set(manifest "${BUILD}/install_manifest.txt")
file(REMOVE "${manifest}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE failed)
if(failed OR NOT EXISTS "${manifest}")
  message(FATAL_ERROR "The install stopped; files it wrote under ${destdir}${prefix} "
                      "are not recorded for make uninstall")
endif()
# The manifest names the files without DESTDIR; the record names them where
# they are.
file(STRINGS "${manifest}" files)
set(text "# Files make install put in place, removed by make uninstall\n")
string(APPEND text "# root ${destdir}${prefix}\n")
foreach(f IN LISTS files)
  string(APPEND text "${destdir}${f}\n")
endforeach()
file(WRITE "${RECORD}" "${text}")
