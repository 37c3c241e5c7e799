# Installation, desktop integration and packages for the editor QuarnEd and
# the launcher QuarnExe. Included from the top-level CMakeLists.txt once both
# targets exist.
#
#   cmake --install <build> [--prefix <dir>]   puts both programs in place
#   cpack (in <build>)                         builds the .deb (ZIP on Windows)

include(GNUInstallDirs)

# One freedesktop id (QUARNED_APP_ID) names the editor's desktop entry, the
# MIME package and the icon, so that desktops can tie the running window, its
# launcher and its files together; the launcher's entry bears its own
# (QUARNEXE_APP_ID) and shows the editor's icon.
set(QUARNED_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")
set(QUARN_MIME_TYPE "application/x-quarn")
# The editor finds the launcher in its own folder.
install(TARGETS QuarnEd QuarnExe RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

# The manual page of a program shows the same usage lines as its --help.
function(quarned_man_page program)
    set(QUARN_MAN_SYNOPSIS "")
    foreach(form IN LISTS ARGN)
        string(REPLACE "-" "\\-" form "${form}")
        string(APPEND QUARN_MAN_SYNOPSIS "${form}\n")
    endforeach()
    string(STRIP "${QUARN_MAN_SYNOPSIS}" QUARN_MAN_SYNOPSIS)
    configure_file("${QUARNED_PACKAGING_DIR}/linux/${program}.1.in"
        "${CMAKE_CURRENT_BINARY_DIR}/${program}.1" @ONLY)
    install(FILES "${CMAKE_CURRENT_BINARY_DIR}/${program}.1"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endfunction()

if(UNIX AND NOT APPLE)
    # Both entries handle .Quarn files: the launcher opens them, the editor
    # is offered in "Open with" (DefaultApplication.sh.in says how the
    # launcher becomes the default).
    install(FILES "${QUARNED_PACKAGING_DIR}/linux/${QUARNED_APP_ID}.desktop"
        "${QUARNED_PACKAGING_DIR}/linux/${QUARNEXE_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${QUARNED_PACKAGING_DIR}/linux/${QUARNED_APP_ID}.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
    install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/quarned.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${QUARNED_APP_ID}.svg")
    # The bitmap sizes are rendered once and kept in the tree
    # (packaging/render-icons.sh), so the build needs no SVG tool.
    install(DIRECTORY "${QUARNED_PACKAGING_DIR}/linux/icons/"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
    install(FILES "${QUARNED_PACKAGING_DIR}/linux/${QUARNED_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    quarned_man_page(QuarnEd ${QUARNED_USAGE_FORMS})
    quarned_man_page(QuarnExe ${QUARNEXE_USAGE_FORMS})

    # One script makes the launcher the default: the package runs it as its
    # postinst and postrm, `cmake --install` on its own prefix.
    set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
    set(QUARN_PACKAGE_MIMEAPPS_LIST
        "${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/mimeapps.list")
    set(QUARNED_MAINTAINER_SCRIPTS "")
    foreach(script postinst postrm)
        configure_file("${QUARNED_PACKAGING_DIR}/linux/DefaultApplication.sh.in"
            "${CMAKE_CURRENT_BINARY_DIR}/debian/${script}" @ONLY
            FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                WORLD_READ WORLD_EXECUTE)
        list(APPEND QUARNED_MAINTAINER_SCRIPTS "${CMAKE_CURRENT_BINARY_DIR}/debian/${script}")
    endforeach()
    install(CODE "set(QUARNED_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
        set(QUARNED_DEFAULT_APPLICATION \"${CMAKE_CURRENT_BINARY_DIR}/debian/postinst\")")
    install(SCRIPT "${QUARNED_PACKAGING_DIR}/linux/UpdateDesktopCaches.cmake")
endif()

if(WIN32)
    # Resource compilers read '\' as an escape and '"' as the end of a string.
    function(quarned_rc_string out value)
        string(REPLACE "\\" "\\\\" value "${value}")
        string(REPLACE "\"" "\"\"" value "${value}")
        set(${out} "${value}" PARENT_SCOPE)
    endfunction()
    quarned_rc_string(QUARNED_RC_PRODUCT_NAME "${QUARNED_PRODUCT_NAME}")
    quarned_rc_string(QUARNED_RC_PRODUCT_VERSION "${QUARNED_PRODUCT_VERSION}")
    quarned_rc_string(QUARNED_RC_COPYRIGHT "${QUARNED_COPYRIGHT}")
    quarned_rc_string(QUARNED_RC_COMMENTS "${QUARNED_COMMENTS}")
    set(QUARNED_RC_ICON "${QUARNED_PACKAGING_DIR}/windows/QuarnEd.ico")

    # FILEVERSION takes four plain numbers: "1.02.2" becomes 1,2,2,0.
    string(REGEX MATCHALL "[0-9]+" version_parts "${QUARNED_PRODUCT_VERSION}")
    list(APPEND version_parts 0 0 0 0)
    list(SUBLIST version_parts 0 4 version_parts)
    set(QUARNED_RC_VERSION_NUMBERS "")
    foreach(part IN LISTS version_parts)
        math(EXPR part "${part} + 0")
        list(APPEND QUARNED_RC_VERSION_NUMBERS "${part}")
    endforeach()
    string(REPLACE ";" "," QUARNED_RC_VERSION_NUMBERS "${QUARNED_RC_VERSION_NUMBERS}")

    configure_file("${QUARNED_PACKAGING_DIR}/windows/QuarnEd.rc.in"
        "${CMAKE_CURRENT_BINARY_DIR}/QuarnEd.rc" @ONLY)
    target_sources(QuarnEd PRIVATE "${CMAKE_CURRENT_BINARY_DIR}/QuarnEd.rc")

    # Windows has no system Qt: the install step copies Qt's libraries and
    # plugins beside the executable (windeployqt, through Qt's CMake API).
    if(COMMAND qt_generate_deploy_app_script)
        qt_generate_deploy_app_script(TARGET QuarnEd FILENAME_VARIABLE quarned_deploy_script)
        install(SCRIPT "${quarned_deploy_script}")
    endif()
endif()

set(CPACK_PACKAGE_NAME "quarned")
set(CPACK_PACKAGE_VENDOR "The QuarnEd developers")
set(CPACK_PACKAGE_CONTACT "The QuarnEd developers <${QUARNED_EMAIL}>")
set(CPACK_PACKAGE_VERSION "${QUARNED_PRODUCT_VERSION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${QUARNED_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor and launcher for Quarn definition files")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A .Quarn definition file tells which command-line program to run, from\n"
    "which folder, through which shell, and which options the program takes.\n"
    "The launcher, QuarnExe, opens a definition as a window in which the user\n"
    "sets the program's options and runs it, watching its output; it opens\n"
    ".Quarn files by default. The editor, QuarnEd, creates, opens, edits and\n"
    "saves definition files, helps fill the program, shell and folder fields,\n"
    "can hide a program behind the launcher, and starts the launcher on the\n"
    "file being edited.")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

if(WIN32)
    set(CPACK_GENERATOR "ZIP")
else()
    set(CPACK_GENERATOR "DEB")
endif()

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUARNED_HOMEPAGE}")
# dpkg-shlibdeps (from dpkg-dev) derives the library packages from the
# executable; Qt's xcb platform plugin comes with libqt6gui6. The icons and
# pictures are SVG, drawn by Qt's SVG plugins, which the executable does not
# link and so must be named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Opening the help file and web addresses goes through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${QUARNED_MAINTAINER_SCRIPTS}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
