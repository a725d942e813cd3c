// The sanitizers' settings, built into every program of a sanitized build (see
// QuadrelOptions.cmake), so that they hold however the program is started: under CTest, by
// fuzz/run-all or by hand. ASAN_OPTIONS, UBSAN_OPTIONS and LSAN_OPTIONS in the environment are read
// after these and override them.
//
// AddressSanitizer aborts on a report (so a core dump or libFuzzer keeps the state and the input),
// looks for leaks at exit, and checks that a string handed to a C library function ends where it
// should. UndefinedBehaviorSanitizer prints a stack trace and stops at the first report.

extern "C" const char *__asan_default_options();
extern "C" const char *__asan_default_suppressions();
extern "C" const char *__ubsan_default_options();
extern "C" const char *__lsan_default_suppressions();

extern "C" const char *__asan_default_options() {
    return "abort_on_error=1:detect_leaks=1:strict_string_checks=1";
}

// AddressSanitizer's suppressions. libxkbcommon-x11, which Qt's X platform starts on every X
// display, hands strndup atom names that are not NUL-terminated, together with their length;
// strndup reads no further, but with strict_string_checks its check reads up to a NUL and reports
// an overflow that is not there. The suppression drops the checks of C library calls made while
// libxkbcommon-x11 is on the stack (matched by the library's file name, so it needs no symbols);
// the library is not instrumented and calls nothing of Quadrel's, so every call that Quadrel or Qt
// makes, strndup included, is still checked strictly. Either option that would also do turns off
// more: intercept_strndup=0 every strndup's check, strict_string_checks=0 the strict check of
// every string function.
extern "C" const char *__asan_default_suppressions() {
    return "interceptor_via_lib:libxkbcommon-x11.so\n";
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
