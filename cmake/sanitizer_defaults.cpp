// The sanitizers' settings, built into every program of a sanitized build (see
// QuadrelOptions.cmake), so that they hold however the program is started: under CTest, by
// fuzz/run-all or by hand. ASAN_OPTIONS, UBSAN_OPTIONS and LSAN_OPTIONS in the environment are read
// after these and override them (tests/cli/CMakeLists.txt turns one check off that way).
//
// AddressSanitizer aborts on a report (so a core dump or libFuzzer keeps the state and the input),
// looks for leaks at exit, and checks that a string handed to a C library function ends where it
// should. UndefinedBehaviorSanitizer prints a stack trace and stops at the first report.

extern "C" const char *__asan_default_options();
extern "C" const char *__ubsan_default_options();
extern "C" const char *__lsan_default_suppressions();

extern "C" const char *__asan_default_options() {
    return "abort_on_error=1:detect_leaks=1:strict_string_checks=1";
}

extern "C" const char *__ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// LeakSanitizer's suppressions. libdbus-1: Qt's D-Bus thread (started for the desktop's
// accessibility and theme services) leaves one block of 1,032 bytes that libdbus allocates with
// realloc and keeps for the whole process; LeakSanitizer reports it after every normal close. The
// pattern matches leaks whose allocation stack passes through libdbus only: a leak in Quadrel's
// own code is still reported.
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
