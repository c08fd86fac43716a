# SPDX-License-Identifier: MIT
# One bounded fuzz run, as CTest starts it:
#   cmake -DFUZZER=<program> -DSEEDS=<seed folder> -DWORK=<build-tree folder> -DRUNS=<n>
#         -P run_fuzzer.cmake
# The work folder is emptied and filled with the seeds, so that every run starts from the same
# corpus and writes only there; a failing input is saved in it as crash-*, leak-* or timeout-*.

foreach(var FUZZER SEEDS WORK RUNS)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "run_fuzzer.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
file(GLOB seeds "${SEEDS}/*")
if(seeds)
    file(COPY ${seeds} DESTINATION "${WORK}/corpus")
endif()

# The targets' scratch files go into the work folder too (they are removed at a normal exit;
# one that stops on a finding leaves them, until the next run empties the folder).
file(MAKE_DIRECTORY "${WORK}/tmp")
set(ENV{TMPDIR} "${WORK}/tmp")

execute_process(
    COMMAND "${FUZZER}" -runs=${RUNS} -seed=1 -print_final_stats=1
            -artifact_prefix=${WORK}/ "${WORK}/corpus"
    WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(GLOB findings "${WORK}/crash-*" "${WORK}/leak-*" "${WORK}/timeout-*" "${WORK}/oom-*")
    message(FATAL_ERROR "${FUZZER} failed (${result}); saved input: ${findings}")
endif()
