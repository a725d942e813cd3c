# Compiler settings shared by every target of the project.

# quadrel_set_warnings(<target>): the project's warning set, as errors when QUADREL_WERROR is on.
function(quadrel_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(QUADREL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Sanitizers apply to every target, libraries included, so that a fault inside the core is caught
# where it happens; a sanitizer report ends the program instead of letting it carry on.
if(QUADREL_SANITIZE)
    add_compile_options(-fsanitize=${QUADREL_SANITIZE} -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${QUADREL_SANITIZE})
    # The sanitizers' options and LeakSanitizer's suppressions, in one place
    # (cmake/sanitizer_defaults.cpp), go into every target defined after this point; only programs
    # use them.
    add_library(quadrel_sanitizer_defaults OBJECT ${CMAKE_CURRENT_LIST_DIR}/sanitizer_defaults.cpp)
    link_libraries(quadrel_sanitizer_defaults)
endif()

# libFuzzer steers by coverage, so everything it runs (the core as well as the fuzz targets) is
# built with coverage instrumentation; only the fuzz programs link the libFuzzer runtime itself
# (-fsanitize=fuzzer, see fuzz/CMakeLists.txt).
if(QUADREL_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "QUADREL_BUILD_FUZZ needs clang (libFuzzer); use the fuzz preset")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# The hardening Debian builds its packages with (dpkg-buildflags with hardening=+all): position-
# independent executables, stack protector and stack clash protection, control-flow protection,
# fortified libc calls, format-string checks, and a read-only relocation table resolved at start
# (relro, bind-now). _FORTIFY_SOURCE needs an optimised build and gets in AddressSanitizer's way,
# so sanitized and Debug builds go without it.
#
# Windows (mingw-w64, cmake/mingw-w64.cmake) takes what applies there: stack protector and fortified
# calls (both from GCC's libssp, which the link brings in when it is told -fstack-protector-strong;
# linked statically, see below) and format checks; instead of PIE, relro and bind-now, the PE
# flags for a relocatable image anywhere in the 64-bit address space (ASLR) and non-executable
# data (DEP). Left out there: -fstack-clash-protection (GCC 12 for mingw-w64 crashes on it when a
# function has a large frame and alloca; Windows probes every stack page through __chkstk anyway),
# and -fcf-protection (it builds, but only Linux enforces the marks it leaves; GNU ld 2.40 cannot
# mark a Windows image as CET-compatible), and -z relro/now (ELF only).
option(QUADREL_HARDEN "Build with Debian's hardening flags" ON)
if(QUADREL_HARDEN)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
    if(NOT QUADREL_SANITIZE)
        add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    endif()
    if(WIN32)
        add_link_options(-fstack-protector-strong
                         LINKER:--dynamicbase LINKER:--high-entropy-va LINKER:--nxcompat)
    else()
        include(CheckPIESupported)
        check_pie_supported()
        set(CMAKE_POSITION_INDEPENDENT_CODE ON)
        add_compile_options(-fstack-clash-protection -fcf-protection)
        add_link_options(LINKER:-z,relro LINKER:-z,now)
    endif()
endif()

# Windows programs are linked statically (the C and C++ runtimes, winpthreads, libssp), so that
# quadrel.exe and the test programs need no DLL beside them, on Windows as under wine.
if(MINGW)
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()
