# The scripted sessions under scripts/. The demo runs them all in one process (--scripts),
# each on its own copy of a fresh sample project: that is the fixture demo_scripts. Every
# session then has its own ctest entry, demo_script_NAME, that judges its results
# (CheckScript.cmake says how).
if(CMAKE_HOST_UNIX)
  set(_drive "Z:")
else()
  set(_drive "")
endif()
string(REPLACE ";" "|" _runner "${CMAKE_CROSSCOMPILING_EMULATOR}")
set(_work ${CMAKE_BINARY_DIR}/demo-scripts)
add_test(NAME demo_scripts
         COMMAND ${CMAKE_COMMAND} -DDEMO=$<TARGET_FILE:comtree-demo>
                 -DSAMPLE=$<TARGET_FILE:make-sample-project> "-DRUNNER=${_runner}" -DDRIVE=${_drive}
                 -DDATA=${CMAKE_SOURCE_DIR}/samples/data -DSCRIPTS=${CMAKE_CURRENT_LIST_DIR}/scripts
                 -DWORK=${_work} -P ${CMAKE_CURRENT_LIST_DIR}/RunScripts.cmake)
# The sessions show windows and open menus: the batch takes its turn on the desktop (see
# comtree_add_test); the checks and the README test show nothing.
set_tests_properties(demo_scripts PROPERTIES LABELS demo TIMEOUT 600 FIXTURES_SETUP demo_scripts
                     RESOURCE_LOCK desktop)
file(GLOB _demo_scripts CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/scripts/*.txt")
foreach(_script ${_demo_scripts})
  get_filename_component(_name "${_script}" NAME_WE)
  add_test(NAME demo_script_${_name}
           COMMAND ${CMAKE_COMMAND} -DSCRIPT=${_script} -DRESULTS=${_work}/results
                   -P ${CMAKE_CURRENT_LIST_DIR}/CheckScript.cmake)
  set_tests_properties(demo_script_${_name} PROPERTIES LABELS demo FIXTURES_REQUIRED demo_scripts)
endforeach()

# The README's list of steps is the demo's table (CheckSteps.cmake).
add_test(NAME demo_steps_readme
         COMMAND ${CMAKE_COMMAND} -DDEMO=$<TARGET_FILE:comtree-demo> "-DRUNNER=${_runner}"
                 -DREADME=${CMAKE_SOURCE_DIR}/README.md -P ${CMAKE_CURRENT_LIST_DIR}/CheckSteps.cmake)
set_tests_properties(demo_steps_readme PROPERTIES LABELS demo)
add_dependencies(all_tests comtree-demo make-sample-project)
