# Settings every target of the project gets, applied per target so that no
# directory-wide flag leaks into third-party code.
#
#   quarn_target_defaults(<target> [QT])
#
# QT adds the Qt definitions that keep string conversions explicit.
function(quarn_target_defaults target)
    cmake_parse_arguments(ARG "QT" "" "" ${ARGN})

    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /permissive- /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    endif()

    if(ARG_QT)
        target_compile_definitions(${target} PRIVATE
            QT_NO_CAST_FROM_ASCII
            QT_NO_CAST_TO_ASCII
            QT_NO_CAST_FROM_BYTEARRAY
            QT_NO_URL_CAST_FROM_STRING
            QT_NO_KEYWORDS
            QT_DISABLE_DEPRECATED_BEFORE=0x060200)
    endif()

    if(QUARNED_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()
