# What `cmake --install` puts where, the man pages, and the Debian package.
#
#   bin/                      gearwise-planner, gearwise-cli
#   share/gearwise/           Config.dat, english.txt, french.txt, the logo,
#                             the report pictures, help/
#   share/man/man1/           the man pages, made from the programs' --help
#   share/doc/gearwise-planner/  copyright, changelog
#
# The programs find share/gearwise/ as ../share/gearwise beside their bin/
# folder, so the tree works from any prefix. The desktop entry, icons,
# AppStream and MIME files are installed by data/desktop/.
include(GNUInstallDirs)
set(GEARWISE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/gearwise)
set(GEARWISE_PACKAGE_NAME gearwise-planner)
set(GEARWISE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${GEARWISE_PACKAGE_NAME})

install(TARGETS gearwise-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET gearwise-planner)
    install(TARGETS gearwise-planner RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_BINARY_DIR}/gearwise-logo.png ${CMAKE_BINARY_DIR}/print-english.gif
                  ${CMAKE_BINARY_DIR}/print-french.gif
            DESTINATION ${GEARWISE_INSTALL_DATADIR})
    install(DIRECTORY ${CMAKE_BINARY_DIR}/help/ DESTINATION ${GEARWISE_INSTALL_DATADIR}/help)
endif()
install(FILES ${CMAKE_BINARY_DIR}/Config.dat ${CMAKE_BINARY_DIR}/english.txt ${CMAKE_BINARY_DIR}/french.txt
        DESTINATION ${GEARWISE_INSTALL_DATADIR})

# Man pages, written by help2man from --help and --version and compressed
# as Debian ships them.
find_program(GEARWISE_HELP2MAN help2man)
find_program(GEARWISE_GZIP gzip)
# The sanitizer and fuzz builds are not shipped and skip them.
if(GEARWISE_HELP2MAN AND GEARWISE_GZIP AND NOT GEARWISE_SANITIZE AND NOT GEARWISE_BUILD_FUZZ)
    set(GEARWISE_MAN_PAGES)
    set(gearwise-planner_MAN_NAME "leveraged investment calculator for Canadian clients")
    set(gearwise-cli_MAN_NAME "command-line companion of Gearwise Planner")
    foreach(program gearwise-cli gearwise-planner)
        if(NOT TARGET ${program})
            continue()
        endif()
        set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
        add_custom_command(OUTPUT ${page}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
            COMMAND ${GEARWISE_HELP2MAN} --no-info --section=1 --name=${${program}_MAN_NAME}
                    --include=${PROJECT_SOURCE_DIR}/cmake/man-${program}.h2m --output=${page} $<TARGET_FILE:${program}>
            COMMAND ${GEARWISE_GZIP} -9nf ${page}
            DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/man-${program}.h2m
            COMMENT "Writing the man page of ${program}"
            VERBATIM)
        list(APPEND GEARWISE_MAN_PAGES ${page}.gz)
    endforeach()
    add_custom_target(gearwise_man_pages ALL DEPENDS ${GEARWISE_MAN_PAGES})
    install(FILES ${GEARWISE_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(STATUS "No man pages in this build (help2man or gzip missing, or a sanitizer or fuzz build)")
endif()

# The package's own documents, as Debian policy asks.
set(GEARWISE_CHANGELOG ${CMAKE_BINARY_DIR}/package/changelog.gz)
add_custom_command(OUTPUT ${GEARWISE_CHANGELOG}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/cmake/package/changelog ${CMAKE_BINARY_DIR}/package/changelog
    COMMAND ${GEARWISE_GZIP} -9nf ${CMAKE_BINARY_DIR}/package/changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/cmake/package/changelog
    VERBATIM)
add_custom_target(gearwise_package_docs ALL DEPENDS ${GEARWISE_CHANGELOG})
install(FILES ${PROJECT_SOURCE_DIR}/cmake/package/copyright ${GEARWISE_CHANGELOG}
        DESTINATION ${GEARWISE_INSTALL_DOCDIR})

# The Debian package: `cpack -G DEB` in the build folder writes
# gearwise-planner_<version>_amd64.deb. Its dependencies are read off the
# programs' libraries (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${GEARWISE_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Gearwise")
set(CPACK_PACKAGE_CONTACT "Gearwise Support <support@gearwise.ca>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "leveraged investment calculator for Canadian financial advisors")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Gearwise Planner shows a client what borrowing to invest does to their\n"
    "wealth after tax: an interest-only investment loan, an amortising term\n"
    "loan, optionally repeated, and RRSP catch-up loans against annual\n"
    "contributions. It projects year by year, compares leveraged and\n"
    "unleveraged wealth, finds the break-even return, and prints client\n"
    "reports, in English or French.\n"
    "\n"
    "The package holds the desktop program, gearwise-planner, and its\n"
    "command-line companion, gearwise-cli.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://gearwise.ca/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's French texts and the fonts the reports are laid out in are loaded at
# run time, so shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
