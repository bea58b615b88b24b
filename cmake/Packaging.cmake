# The Debian package of both programs and their desktop files:
#   cmake --build build && cd build && cpack -G DEB
# gives quenloft_<version>_<arch>.deb. dpkg-shlibdeps (package dpkg-dev) computes the
# library dependencies; the window's font is named here, as no library asks for it.
set(CPACK_PACKAGE_NAME quenloft)
set(CPACK_PACKAGE_VENDOR "The Quenloft team")
set(CPACK_PACKAGE_CONTACT "The Quenloft team <team@quenloft.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "view and edit the vehicle data of Kivra run files")
# CPack copies the lines as they are written; Debian wants each within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Quenloft shows the vehicle data of the run files of the Kivra performance
meters (.kvp files of the Nox model, .kvs files of the Solvane model), checks
Nox run data for damaged records and writes edited vehicle data back into the
same file in place. The package holds the window program quenloft and the
command-line companion quenloft-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quenloft.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation Sans has the letter widths the window's captions are laid out for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
# Open File and the links hand files and addresses to xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)

# What Debian wants of every package in /usr/share/doc/quenloft: a copyright file in the
# machine-readable format, and the changelog, written from the version history at build
# time so that the two never differ. Dates come from the AppStream releases.
if(NOT WIN32)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    find_program(QUENLOFT_GZIP gzip REQUIRED)
    set(debian_changelog ${PROJECT_BINARY_DIR}/debian/changelog)
    set(debian_history ${PROJECT_SOURCE_DIR}/src/app/resources/version_history.html)
    set(debian_metainfo ${PROJECT_SOURCE_DIR}/data/org.quenloft.Quenloft.metainfo.xml)
    set(debian_generator ${PROJECT_SOURCE_DIR}/cmake/debian/changelog-from-history.py)
    add_custom_command(OUTPUT ${debian_changelog}.gz
        COMMAND ${Python3_EXECUTABLE} ${debian_generator} ${debian_history} ${debian_metainfo}
            ${CPACK_PACKAGE_NAME} ${CPACK_PACKAGE_CONTACT} ${debian_changelog}
        COMMAND ${QUENLOFT_GZIP} -9 -n -f ${debian_changelog}
        DEPENDS ${debian_generator} ${debian_history} ${debian_metainfo}
        COMMENT "Writing the Debian changelog from the version history"
        VERBATIM)
    add_custom_target(quenloft-debian-changelog ALL DEPENDS ${debian_changelog}.gz)
    set(debian_doc ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${debian_changelog}.gz
        DESTINATION ${debian_doc})
endif()

include(CPack)
