# Runs one fuzz target briefly: cmake -D FUZZER=... -D WORK_DIR=... -D SEED_DIRS=a|b
#   -D DICT=... -D SECONDS=... -P RunSmoke.cmake
# Starts from an empty corpus in WORK_DIR, seeded from the existing SEED_DIRS, with a fixed random
# seed; fails when the fuzzer reports a crash or a broken invariant (the input is kept in
# WORK_DIR as crash-*).

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/corpus)

string(REPLACE "|" ";" seed_dirs "${SEED_DIRS}")
set(existing_seed_dirs)
foreach(dir IN LISTS seed_dirs)
    if(IS_DIRECTORY ${dir})
        list(APPEND existing_seed_dirs ${dir})
    endif()
endforeach()

execute_process(
    COMMAND ${FUZZER}
        -max_total_time=${SECONDS} -seed=1 -max_len=32767 -timeout=10 -rss_limit_mb=2048
        -dict=${DICT} -artifact_prefix=${WORK_DIR}/ -print_final_stats=1
        ${WORK_DIR}/corpus ${existing_seed_dirs}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${result}); the input is in ${WORK_DIR}")
endif()
