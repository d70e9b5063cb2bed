# Third-party code is never part of the repository: SQLite comes as the amalgamation that
# scripts/setup generates from Debian's source package, GoogleTest from its source folder.
set(_deps_default "$ENV{COMTREE_DEPS_DIR}")
if(NOT _deps_default)
  if(DEFINED ENV{XDG_CACHE_HOME})
    set(_deps_default "$ENV{XDG_CACHE_HOME}/comtree-deps")
  else()
    set(_deps_default "$ENV{HOME}/.cache/comtree-deps")
  endif()
endif()
set(SQLITE_AMALGAMATION_DIR "${_deps_default}/sqlite" CACHE PATH "Folder holding sqlite3.c and sqlite3.h")
set(GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")

if(NOT EXISTS "${SQLITE_AMALGAMATION_DIR}/sqlite3.c")
  message(FATAL_ERROR "sqlite3.c not found in ${SQLITE_AMALGAMATION_DIR}; run scripts/setup "
                      "or pass -DSQLITE_AMALGAMATION_DIR=<folder with sqlite3.c and sqlite3.h>")
endif()
add_library(sqlite3_obj OBJECT "${SQLITE_AMALGAMATION_DIR}/sqlite3.c")
target_include_directories(sqlite3_obj PUBLIC "${SQLITE_AMALGAMATION_DIR}")
target_compile_definitions(sqlite3_obj PUBLIC SQLITE_OMIT_LOAD_EXTENSION SQLITE_THREADSAFE=1
                           SQLITE_DEFAULT_FOREIGN_KEYS=0 SQLITE_DQS=0)
set_target_properties(sqlite3_obj PROPERTIES POSITION_INDEPENDENT_CODE ON)
# The amalgamation is third-party code: build it optimised and quiet, whatever the build type.
target_compile_options(sqlite3_obj PRIVATE -O2 -w)

if(COMTREE_BUILD_TESTS)
  if(NOT EXISTS "${GTEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "GoogleTest not found in ${GTEST_SOURCE_DIR}; run scripts/setup")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory("${GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/_deps/googletest" EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main)
    if(TARGET ${t})
      target_compile_options(${t} PRIVATE -w)
    endif()
  endforeach()
endif()
