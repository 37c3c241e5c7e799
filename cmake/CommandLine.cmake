# The command lines of both programs, described once: `--help` prints the
# usage text (QUARNED_USAGE and QUARNEXE_USAGE in system/Version.h) and the
# manual pages QuarnEd.1 and QuarnExe.1 show the same lines
# (packaging/linux/*.1.in).

#   quarn_usage_text(<out> SUMMARY <text> FORMS <form>... ITEMS <name> <text>...)
# The usage text as a C string literal's contents: the forms, the summary,
# then each item's name padded to one column, and its text.
function(quarn_usage_text out)
    cmake_parse_arguments(ARG "" "SUMMARY" "FORMS;ITEMS" ${ARGN})
    set(text "Usage:")
    foreach(form IN LISTS ARG_FORMS)
        string(APPEND text " ${form}\\n      ")
    endforeach()
    string(REGEX REPLACE "      $" "" text "${text}")
    string(APPEND text "\\n${ARG_SUMMARY}\\n\\n")
    list(LENGTH ARG_ITEMS count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET ARG_ITEMS ${i} name)
        list(GET ARG_ITEMS ${j} description)
        string(LENGTH "${name}" length)
        set(padding "")
        foreach(column RANGE ${length} 16)
            string(APPEND padding " ")
        endforeach()
        string(APPEND text "  ${name}${padding}${description}\\n")
    endforeach()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The editor.
set(QUARNED_SUMMARY "Edit Quarn definition files (.Quarn), or check them from scripts.")
set(QUARNED_USAGE_FORMS "QuarnEd [FILE]" "QuarnEd --check FILE..." "QuarnEd --draft PROGRAM"
    "QuarnEd --help" "QuarnEd --version")
set(QUARNED_USAGE_FILE "open FILE, or make it the program of a new definition")
set(QUARNED_USAGE_CHECK "warn of what each FILE reads or saves otherwise, and exit")
set(QUARNED_USAGE_DRAFT "print a definition drafted from PROGRAM's own help, and exit")
set(QUARNED_USAGE_HELP "print this help and exit")
set(QUARNED_USAGE_VERSION "print the version and exit")
quarn_usage_text(QUARNED_USAGE SUMMARY "${QUARNED_SUMMARY}" FORMS ${QUARNED_USAGE_FORMS}
    ITEMS "FILE" "${QUARNED_USAGE_FILE}" "--check FILE..." "${QUARNED_USAGE_CHECK}"
          "--draft PROGRAM" "${QUARNED_USAGE_DRAFT}" "--help" "${QUARNED_USAGE_HELP}" "--version" "${QUARNED_USAGE_VERSION}")

# The launcher.
set(QUARNEXE_SUMMARY "Run the program that a Quarn definition file (.Quarn) describes, in a window.")
set(QUARNEXE_USAGE_FORMS "QuarnExe FILE [ARG...]" "QuarnExe --dry-run FILE [ARG...]"
    "QuarnExe --help" "QuarnExe --version")
set(QUARNEXE_USAGE_FILE "open FILE in a window, each ARG filling the option of its number")
set(QUARNEXE_USAGE_DRY_RUN "print the command Run would start with FILE's values and the ARGs")
quarn_usage_text(QUARNEXE_USAGE SUMMARY "${QUARNEXE_SUMMARY}" FORMS ${QUARNEXE_USAGE_FORMS}
    ITEMS "FILE [ARG...]" "${QUARNEXE_USAGE_FILE}" "--dry-run FILE" "${QUARNEXE_USAGE_DRY_RUN}"
          "--help" "${QUARNED_USAGE_HELP}" "--version" "${QUARNED_USAGE_VERSION}")
