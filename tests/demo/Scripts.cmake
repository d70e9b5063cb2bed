# The scripted sessions under scripts/: one ctest entry per script, run on a fresh sample
# project by the real comtree-demo.exe (RunScript.cmake says how each is checked).
if(CMAKE_HOST_UNIX)
  set(_drive "Z:")
else()
  set(_drive "")
endif()
string(REPLACE ";" "|" _runner "${CMAKE_CROSSCOMPILING_EMULATOR}")
file(GLOB _demo_scripts "${CMAKE_CURRENT_LIST_DIR}/scripts/*.txt")
foreach(_script ${_demo_scripts})
  get_filename_component(_name "${_script}" NAME_WE)
  add_test(NAME demo_script_${_name}
           COMMAND ${CMAKE_COMMAND} -DDEMO=$<TARGET_FILE:comtree-demo>
                   -DSAMPLE=$<TARGET_FILE:make-sample-project> "-DRUNNER=${_runner}" -DDRIVE=${_drive}
                   -DDATA=${CMAKE_SOURCE_DIR}/samples/data -DSCRIPT=${_script}
                   -DWORK=${CMAKE_BINARY_DIR}/demo-scripts -P ${CMAKE_CURRENT_LIST_DIR}/RunScript.cmake)
  set_tests_properties(demo_script_${_name} PROPERTIES LABELS demo TIMEOUT 300)
endforeach()
add_dependencies(all_tests comtree-demo make-sample-project)
