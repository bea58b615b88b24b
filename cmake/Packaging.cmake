# The Debian package of both programs and their desktop files:
#   cmake --build build && cd build && cpack -G DEB
# gives quenloft_<version>_<arch>.deb. dpkg-shlibdeps (package dpkg-dev) computes the
# library dependencies; the window's font is named here, as no library asks for it.
set(CPACK_PACKAGE_NAME quenloft)
set(CPACK_PACKAGE_VENDOR "The Quenloft team")
set(CPACK_PACKAGE_CONTACT "The Quenloft team <team@quenloft.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "view and edit the vehicle data of Kivra run files")
set(CPACK_PACKAGE_DESCRIPTION
    "Quenloft shows the vehicle data of the run files of the Kivra performance meters (.kvp \
files of the Nox model, .kvs files of the Solvane model), checks Nox run data for damaged \
records and writes edited vehicle data back into the same file in place. The package holds \
the window program quenloft and the command-line companion quenloft-cli.")
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

include(CPack)
