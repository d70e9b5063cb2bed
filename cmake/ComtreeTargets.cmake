# Helpers every folder uses, so each executable gets the same manifest and each test the
# same runner and label.

set(COMTREE_MANIFEST_RC "${CMAKE_SOURCE_DIR}/resources/manifest.rc")

# comtree_add_executable(name [WIN32] SOURCES...): an executable with the comctl32 v6 manifest.
function(comtree_add_executable name)
  add_executable(${name} ${ARGN} ${COMTREE_MANIFEST_RC})
endfunction()

# comtree_add_test(NAME n LABEL folder SOURCES ... [LIBS ...] [NO_WINDOWS])
# A GoogleTest executable run by ctest under Wine; main() comes from tests/support.
# Suites run side by side (scripts/test), but all programs share one Wine desktop: a window
# that one suite shows takes the activation from another's, which closes that one's popup
# menu or ends its label edit. So suites that show windows take turns (the lock "desktop");
# a suite that shows none says NO_WINDOWS and runs beside them.
function(comtree_add_test)
  cmake_parse_arguments(T "NO_WINDOWS" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  comtree_add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE testsupport ${T_LIBS})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL}" TIMEOUT 600
                       WORKING_DIRECTORY "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  if(NOT T_NO_WINDOWS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK desktop)
  endif()
  add_dependencies(all_tests ${T_NAME})
endfunction()
