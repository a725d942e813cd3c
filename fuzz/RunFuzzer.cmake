# Runs one fuzz target; the one place for libFuzzer's command line, used by the smoke tests under
# CTest (fuzz/CMakeLists.txt) and by fuzz/run-all:
#   cmake -D FUZZER=<program> -D WORK_DIR=<dir> -D SEED_DIRS=<dir>|<dir> -D REPLAY_DIRS=<dir>|<dir>
#         -D DICT=<file> -D SECONDS=<n> [-D KEEP_CORPUS=ON] -P RunFuzzer.cmake
# First every input in REPLAY_DIRS runs once, whole; then the fuzzer mutates inputs of at most
# max_len bytes (below) for SECONDS, in a corpus that grows in WORK_DIR/corpus, seeded from
# SEED_DIRS. Directories that do not exist are skipped. By default WORK_DIR starts empty and the
# random seed is fixed, so a run lasts the same every time; KEEP_CORPUS keeps the corpus from
# earlier runs and lets libFuzzer pick the seed. Fails when the fuzzer reports a crash or a broken
# invariant; an input found by mutation is kept in WORK_DIR as crash-*.

# The longest input that is mutated. A run of an input costs time in proportion to its length,
# and libFuzzer fills the corpus with mutants of the long inputs it is given: with one 32 KB seed
# the parse fuzzer ran tens of times slower. 1,024 bytes hold any number text whose digits all
# count (the rounding of a double can depend on 767 significant digits) with room for blanks, a
# sign and an exponent. A longer input, such as a field's longest text, goes in REPLAY_DIRS.
set(max_len 1024)

if(NOT KEEP_CORPUS)
    file(REMOVE_RECURSE ${WORK_DIR})
    set(random_seed -seed=1)
endif()
file(MAKE_DIRECTORY ${WORK_DIR}/corpus)

# existing_dirs(<var> <dir>|<dir>...): those of the directories that exist.
function(existing_dirs var dirs)
    string(REPLACE "|" ";" dirs "${dirs}")
    set(existing)
    foreach(dir IN LISTS dirs)
        if(IS_DIRECTORY ${dir})
            list(APPEND existing ${dir})
        endif()
    endforeach()
    set(${var} ${existing} PARENT_SCOPE)
endfunction()

existing_dirs(seed_dirs "${SEED_DIRS}")
existing_dirs(replay_dirs "${REPLAY_DIRS}")

# libFuzzer would cut a longer seed to max_len without a word, and so check another text.
foreach(dir IN LISTS seed_dirs)
    file(GLOB seeds ${dir}/*)
    foreach(seed IN LISTS seeds)
        file(SIZE ${seed} size)
        if(size GREATER max_len)
            message(FATAL_ERROR "${seed} has ${size} bytes, more than the ${max_len} that are "
                                "mutated; put it with the inputs that are replayed whole")
        endif()
    endforeach()
endforeach()

# Given files only, libFuzzer runs each of them once, whole, and mutates nothing.
set(replays)
foreach(dir IN LISTS replay_dirs)
    file(GLOB inputs ${dir}/*)
    list(APPEND replays ${inputs})
endforeach()
if(replays)
    execute_process(COMMAND ${FUZZER} -timeout=10 -rss_limit_mb=2048 ${replays}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${FUZZER} failed (${result}) on an input it replays (see above)")
    endif()
endif()

execute_process(
    COMMAND ${FUZZER}
        -max_total_time=${SECONDS} ${random_seed} -max_len=${max_len} -timeout=10
        -rss_limit_mb=2048 -dict=${DICT} -artifact_prefix=${WORK_DIR}/ -print_final_stats=1
        ${WORK_DIR}/corpus ${seed_dirs}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${result}); the input is in ${WORK_DIR}")
endif()
