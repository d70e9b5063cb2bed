# The README's list of script steps is the demo's own table: comtree-demo.exe --steps prints
# it, and the README must hold it unchanged, so the two cannot drift apart.
#
#   cmake -DDEMO=<comtree-demo.exe> -DRUNNER=<a|b|c> -DREADME=<README.md> -P CheckSteps.cmake
include(${CMAKE_CURRENT_LIST_DIR}/FirstDifference.cmake)
string(REPLACE "|" ";" RUNNER "${RUNNER}")
execute_process(COMMAND ${RUNNER} "${DEMO}" --steps
                RESULT_VARIABLE rc OUTPUT_VARIABLE table ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "comtree-demo --steps failed (${rc}): ${err}")
endif()

# The README's table: from its header line to the first line that is not a table row.
file(READ "${README}" readme)
string(REPLACE "\r\n" "\n" readme "${readme}")
set(header "| step | what it does |\n")
string(FIND "${readme}" "${header}" start)
if(start LESS 0)
  message(FATAL_ERROR "README.md has no table starting with: ${header}")
endif()
string(SUBSTRING "${readme}" ${start} -1 rest)
string(REGEX MATCH "^(\\|[^\n]*\n)+" section "${rest}")

first_difference(difference "${section}" "${table}")
if(difference)
  message(FATAL_ERROR "README.md's list of steps differs from the demo's table at ${difference}"
                      "Replace the README's table with the output of comtree-demo.exe --steps.")
endif()
