# Run by `cmake --install` after the desktop files are in place: desktops
# learn of new MIME types, launchers and icons only through their caches,
# and the launcher becomes the default application for .Quarn files.
# Packages (and any install into a DESTDIR staging folder) leave the caches
# to the package manager's triggers and the default to the package's
# maintainer scripts, so this does nothing there. QUARNED_DATADIR and
# QUARNED_DEFAULT_APPLICATION (that script) are set by the install step
# before this script runs.

if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()

if(IS_ABSOLUTE "${QUARNED_DATADIR}")
    set(datadir "${QUARNED_DATADIR}")
else()
    set(datadir "${CMAKE_INSTALL_PREFIX}/${QUARNED_DATADIR}")
endif()

function(quarned_update_cache tool folder purpose)
    find_program(tool_path "${tool}" NO_CACHE)
    if(NOT tool_path)
        message(STATUS "${tool} not found: run it on ${folder} ${purpose}")
        return()
    endif()
    message(STATUS "Updating: ${folder}")
    execute_process(COMMAND "${tool_path}" ${ARGN} "${folder}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(WARNING "${tool} ${folder} failed (${result}): ${purpose} may not work yet")
    endif()
endfunction()

message(STATUS "Setting the default application: ${datadir}/applications/mimeapps.list")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env
    "QUARN_MIMEAPPS_LIST=${datadir}/applications/mimeapps.list"
    sh "${QUARNED_DEFAULT_APPLICATION}" configure)

quarned_update_cache(update-mime-database "${datadir}/mime"
    "so that .Quarn files are recognised")
quarned_update_cache(update-desktop-database "${datadir}/applications"
    "so that .Quarn files open in the launcher")
# An icon cache that exists must be refreshed, or the new icon stays unseen;
# without one, desktops read the folders themselves.
if(EXISTS "${datadir}/icons/hicolor/icon-theme.cache")
    quarned_update_cache(gtk-update-icon-cache "${datadir}/icons/hicolor"
        "so that the editor's icon shows" -q -t -f)
endif()
