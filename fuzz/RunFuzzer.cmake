# Runs one fuzz target; the one place for libFuzzer's command line, used by the smoke tests under
# CTest (fuzz/CMakeLists.txt) and by fuzz/run-all:
#   cmake -D FUZZER=<program> -D WORK_DIR=<dir> -D SEED_DIRS=<dir>|<dir> -D DICT=<file>
#         -D SECONDS=<n> [-D KEEP_CORPUS=ON] -P RunFuzzer.cmake
# The corpus grows in WORK_DIR/corpus, seeded from those SEED_DIRS that exist. By default WORK_DIR
# starts empty and the random seed is fixed, so a run lasts the same every time; KEEP_CORPUS keeps
# the corpus from earlier runs and lets libFuzzer pick the seed. Fails when the fuzzer reports a
# crash or a broken invariant; the input is kept in WORK_DIR as crash-*.

if(NOT KEEP_CORPUS)
    file(REMOVE_RECURSE ${WORK_DIR})
    set(random_seed -seed=1)
endif()
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
        -max_total_time=${SECONDS} ${random_seed} -max_len=32767 -timeout=10 -rss_limit_mb=2048
        -dict=${DICT} -artifact_prefix=${WORK_DIR}/ -print_final_stats=1
        ${WORK_DIR}/corpus ${existing_seed_dirs}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${result}); the input is in ${WORK_DIR}")
endif()
