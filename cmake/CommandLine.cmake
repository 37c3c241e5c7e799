# The command line, described once: `QuarnEd --help` prints this text
# (QUARNED_USAGE in system/Version.h) and the manual page QuarnEd.1 shows the
# same lines (packaging/linux/QuarnEd.1.in).
set(QUARNED_SUMMARY "Edit Quarn definition files (.Quarn), or check them from scripts.")
# Each form of the command line, then what its argument or option does.
set(QUARNED_USAGE_FORMS "QuarnEd [FILE]" "QuarnEd --check FILE..." "QuarnEd --help"
    "QuarnEd --version")
set(QUARNED_USAGE_FILE "open FILE, or make it the program of a new definition")
set(QUARNED_USAGE_CHECK "warn of what each FILE reads or saves otherwise, and exit")
set(QUARNED_USAGE_HELP "print this help and exit")
set(QUARNED_USAGE_VERSION "print the version and exit")

# The usage text as a C string literal's contents.
set(QUARNED_USAGE "Usage:")
foreach(form IN LISTS QUARNED_USAGE_FORMS)
    string(APPEND QUARNED_USAGE " ${form}\\n      ")
endforeach()
string(REGEX REPLACE "      $" "" QUARNED_USAGE "${QUARNED_USAGE}")
string(APPEND QUARNED_USAGE
    "\\n${QUARNED_SUMMARY}\\n\\n"
    "  FILE             ${QUARNED_USAGE_FILE}\\n"
    "  --check FILE...  ${QUARNED_USAGE_CHECK}\\n"
    "  --help           ${QUARNED_USAGE_HELP}\\n"
    "  --version        ${QUARNED_USAGE_VERSION}\\n")
