// LeakSanitizer's suppressions, built into every program of an AddressSanitizer build (see
// QuadrelOptions.cmake), so that they hold however the program is started.
//
// libdbus-1: Qt's D-Bus thread (started for the desktop's accessibility and theme services) leaves
// one block of 1,032 bytes that libdbus allocates with realloc and keeps for the whole process;
// LeakSanitizer reports it after every normal close. The pattern matches leaks whose allocation
// stack passes through libdbus only: a leak in Quadrel's own code is still reported.

extern "C" const char *__lsan_default_suppressions();

extern "C" const char *__lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
