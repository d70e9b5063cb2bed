# One scripted session, judged from what the batch (RunScripts.cmake) left in RESULTS.
#
#   cmake -DSCRIPT=<scripts/NAME.txt> -DRESULTS=<results folder> -P CheckScript.cmake
#
# Standard output must equal scripts/NAME.out byte for byte. When scripts/NAME.err exists the
# session must stop with exit code 3 and print that line on standard error; otherwise it must
# exit with 0.
include(${CMAKE_CURRENT_LIST_DIR}/FirstDifference.cmake)
get_filename_component(name "${SCRIPT}" NAME_WE)
get_filename_component(dir "${SCRIPT}" DIRECTORY)
set(result "${RESULTS}/${name}")

if(NOT EXISTS "${result}.exit")
  message(FATAL_ERROR "${name}: no result; the batch (test demo_scripts) ended before this "
                      "session did")
endif()
file(READ "${result}.exit" rc)
string(STRIP "${rc}" rc)
set(err "")
if(EXISTS "${result}.err")
  file(READ "${result}.err" err)
endif()
string(STRIP "${err}" err)
file(READ "${result}.out" out)

set(failed "")
if(EXISTS "${dir}/${name}.err")
  file(READ "${dir}/${name}.err" expected_err)
  string(STRIP "${expected_err}" expected_err)
  if(NOT rc EQUAL 3)
    string(APPEND failed "exit code ${rc}, expected 3\n")
  endif()
  if(NOT err STREQUAL expected_err)
    string(APPEND failed "standard error:\n  ${err}\nexpected:\n  ${expected_err}\n")
  endif()
elseif(NOT rc EQUAL 0)
  string(APPEND failed "exit code ${rc}, expected 0; standard error: ${err}\n")
endif()

file(READ "${dir}/${name}.out" expected)
first_difference(difference "${out}" "${expected}")
if(difference)
  string(APPEND failed "standard output differs at ${difference}"
                       "(whole output in ${result}.out)\n")
endif()

if(failed)
  message(FATAL_ERROR "${name}:\n${failed}")
endif()
