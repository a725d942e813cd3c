# Compiler settings shared by every target of the project.

# quadrel_set_warnings(<target>): the project's warning set, as errors when QUADREL_WERROR is on.
function(quadrel_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(QUADREL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

if(QUADREL_SANITIZE)
    add_compile_options(-fsanitize=${QUADREL_SANITIZE} -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${QUADREL_SANITIZE})
endif()
