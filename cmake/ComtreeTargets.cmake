# Helpers every folder uses, so each executable gets the same manifest and each test the
# same runner and label.

set(COMTREE_MANIFEST_RC "${CMAKE_SOURCE_DIR}/resources/manifest.rc")

# comtree_add_executable(name [WIN32] SOURCES...): an executable with the comctl32 v6 manifest.
function(comtree_add_executable name)
  add_executable(${name} ${ARGN} ${COMTREE_MANIFEST_RC})
endfunction()

# comtree_add_test(NAME n LABEL folder SOURCES ... [LIBS ...])
# A GoogleTest executable run by ctest under Wine; main() comes from tests/support.
function(comtree_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  comtree_add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE testsupport ${T_LIBS})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL}" TIMEOUT 600
                       WORKING_DIRECTORY "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  add_dependencies(all_tests ${T_NAME})
endfunction()
