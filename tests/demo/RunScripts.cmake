# Runs every scripted session of SCRIPTS in one demo process, each on its own copy of a fresh
# sample project; CheckScript.cmake then judges each session from what it left in WORK/results.
#
#   cmake -DDEMO=<comtree-demo.exe> -DSAMPLE=<make-sample-project.exe> -DRUNNER=<a|b|c>
#         -DDRIVE=<Z: or empty> -DDATA=<data folder> -DSCRIPTS=<scripts folder>
#         -DWORK=<scratch folder> -P RunScripts.cmake
#
# Fails only when the batch itself cannot run; a session that goes wrong is its own test's
# failure.
string(REPLACE "|" ";" RUNNER "${RUNNER}")
set(results "${WORK}/results")
file(REMOVE_RECURSE "${results}")
file(MAKE_DIRECTORY "${results}")
set(project "${WORK}/sample.sqlite")
file(REMOVE "${project}")

execute_process(COMMAND ${RUNNER} "${SAMPLE}" "${DRIVE}${project}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make-sample-project failed (${rc}): ${out}${err}")
endif()

execute_process(COMMAND ${RUNNER} "${DEMO}" --project "${DRIVE}${project}" --data "${DRIVE}${DATA}"
                        --scripts "${DRIVE}${SCRIPTS}" --results "${DRIVE}${results}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "comtree-demo --scripts failed (${rc})")
endif()
