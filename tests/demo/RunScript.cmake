# One scripted session of the demo host, checked against what it must print.
#
#   cmake -DDEMO=<comtree-demo.exe> -DSAMPLE=<make-sample-project.exe> -DRUNNER=<a|b|c>
#         -DDRIVE=<Z: or empty> -DDATA=<data folder> -DSCRIPT=<scripts/NAME.txt>
#         -DWORK=<scratch folder> -P RunScript.cmake
#
# Writes a fresh sample project, runs the script on it and compares standard output with
# scripts/NAME.out byte for byte. When scripts/NAME.err exists the session must stop with
# exit code 3 and print that line on standard error; otherwise it must exit with 0.
string(REPLACE "|" ";" RUNNER "${RUNNER}")
get_filename_component(name "${SCRIPT}" NAME_WE)
get_filename_component(dir "${SCRIPT}" DIRECTORY)
file(MAKE_DIRECTORY "${WORK}")
set(project "${WORK}/${name}.sqlite")
file(REMOVE "${project}")

execute_process(COMMAND ${RUNNER} "${SAMPLE}" "${DRIVE}${project}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make-sample-project failed (${rc}): ${out}${err}")
endif()

execute_process(COMMAND ${RUNNER} "${DEMO}" --project "${DRIVE}${project}" --data "${DRIVE}${DATA}"
                        --script "${DRIVE}${SCRIPT}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(WRITE "${WORK}/${name}.actual" "${out}")

set(failed "")
if(EXISTS "${dir}/${name}.err")
  file(READ "${dir}/${name}.err" expected_err)
  string(STRIP "${expected_err}" expected_err)
  string(STRIP "${err}" actual_err)
  if(NOT rc EQUAL 3)
    string(APPEND failed "exit code ${rc}, expected 3\n")
  endif()
  if(NOT actual_err STREQUAL expected_err)
    string(APPEND failed "standard error:\n  ${actual_err}\nexpected:\n  ${expected_err}\n")
  endif()
elseif(NOT rc EQUAL 0)
  string(APPEND failed "exit code ${rc}, expected 0; standard error: ${err}\n")
endif()

file(READ "${dir}/${name}.out" expected)
if(NOT out STREQUAL expected)
  # Name the first line that differs; the whole output is in WORK/NAME.actual.
  string(REPLACE "\n" ";" out_lines "${out}")
  string(REPLACE "\n" ";" expected_lines "${expected}")
  list(LENGTH out_lines n_out)
  list(LENGTH expected_lines n_expected)
  set(i 0)
  while(i LESS n_out AND i LESS n_expected)
    list(GET out_lines ${i} a)
    list(GET expected_lines ${i} b)
    if(NOT a STREQUAL b)
      break()
    endif()
    math(EXPR i "${i} + 1")
  endwhile()
  math(EXPR line "${i} + 1")
  set(a "<end>")
  set(b "<end>")
  if(i LESS n_out)
    list(GET out_lines ${i} a)
  endif()
  if(i LESS n_expected)
    list(GET expected_lines ${i} b)
  endif()
  string(APPEND failed "standard output differs at line ${line}:\n  got:      ${a}\n  expected: ${b}\n"
                       "(whole output in ${WORK}/${name}.actual)\n")
endif()

if(failed)
  message(FATAL_ERROR "${name}:\n${failed}")
endif()
