# Compiles core_qt_guard.cpp with the core's compiler, flags, definitions and
# include paths, and passes only when it fails for the one reason that
# matters: the Qt header is not found. Any other error (a typo, a bad flag)
# fails the test instead of passing it.
#   cmake -DCXX=... -DSOURCE=... -DINCLUDES=a;b -DDEFINES=X;Y -DOPTIONS=... -P qt_guard.cmake
set(args)
foreach(dir IN LISTS INCLUDES)
  list(APPEND args "-I${dir}")
endforeach()
foreach(def IN LISTS DEFINES)
  list(APPEND args "-D${def}")
endforeach()
execute_process(
  COMMAND ${CXX} ${OPTIONS} -std=c++20 ${args} -fsyntax-only ${SOURCE}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out)
if(result EQUAL 0)
  message(FATAL_ERROR "the core's flags can reach Qt: ${SOURCE} compiled")
endif()
# gcc: "QtCore/QString: No such file or directory"; clang: "'QtCore/QString' file not found".
if(NOT out MATCHES "QtCore/QString'? ?:? ?(No such file or directory|file not found)")
  message(FATAL_ERROR "the guard failed for another reason than a missing Qt header:\n${out}")
endif()
message(STATUS "Qt is out of the core's reach")
