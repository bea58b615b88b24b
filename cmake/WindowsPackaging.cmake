# The Windows installer and the portable zip, from a cross build (scripts/build-windows.sh):
#   cd build-windows && cpack -G NSIS   # quenloft-<version>-win64.exe
#   cd build-windows && cpack -G ZIP    # quenloft-<version>-win64.zip
# Both hold the two programs, the Qt and compiler runtime DLLs they import, Qt's windows
# platform plug-in and Windows styles, version_history.html beside the programs (where the
# window's link looks for it) and the samples. The installer adds a Start-menu entry, offers
# Quenloft in "Open with" for .kvp and .kvs files (the files stay with the program they
# belong to) and writes an uninstaller.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/src/app/resources/version_history.html
    DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION samples)

# Qt looks for its plug-ins in folders named after their kind beside the program.
set(qt_plugins ${QUENLOFT_QT_WINDOWS}/plugins)
install(FILES ${qt_plugins}/platforms/qwindows.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${qt_plugins}/styles/qwindowsvistastyle.dll
    DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)

# The DLLs the programs and plug-ins import, as objdump -p lists them, found among Qt's and
# the cross compiler's; those the system has (kernel32, user32, ...) are left out, as they
# are found in neither.
find_program(QUENLOFT_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)
find_program(QUENLOFT_STRIP NAMES x86_64-w64-mingw32-strip REQUIRED)
install(CODE "
    include(${CMAKE_CURRENT_LIST_DIR}/ImportedDlls.cmake)
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    quenloft_imported_dlls(dlls OBJDUMP ${QUENLOFT_OBJDUMP}
        FILES \"\${bin}/quenloft.exe\" \"\${bin}/quenloft-cli.exe\"
            \"\${bin}/platforms/qwindows.dll\" \"\${bin}/styles/qwindowsvistastyle.dll\"
        FOLDERS ${QUENLOFT_RUNTIME_FOLDERS})
    foreach(dll IN LISTS dlls)
        file(INSTALL \${dll} DESTINATION \"\${bin}\")
        get_filename_component(name \${dll} NAME)
        execute_process(COMMAND ${QUENLOFT_STRIP} --strip-unneeded \"\${bin}/\${name}\")
    endforeach()
")

set(CPACK_PACKAGE_NAME quenloft)
set(CPACK_PACKAGE_VENDOR "The Quenloft team")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "view and edit the vehicle data of Kivra run files")
set(CPACK_PACKAGE_FILE_NAME quenloft-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quenloft)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quenloft)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The Start-menu entry: program, caption.
set(CPACK_PACKAGE_EXECUTABLES quenloft Quenloft)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)

set(CPACK_NSIS_PACKAGE_NAME Quenloft)
set(CPACK_NSIS_DISPLAY_NAME Quenloft)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME quenloft.exe)
set(CPACK_NSIS_URL_INFO_ABOUT https://quenloft.example/)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer with 64-bit plug-ins: it runs where only 64-bit programs run, and its
# uninstaller too.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# "Open with" only: the run files' own program keeps the default.
set(progid "Quenloft.RunFile")
set(classes "Software\\\\Classes")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr SHCTX '${classes}\\\\${progid}' '' 'Kivra run file'
  WriteRegStr SHCTX '${classes}\\\\${progid}\\\\DefaultIcon' '' '$INSTDIR\\\\quenloft.exe,0'
  WriteRegStr SHCTX '${classes}\\\\${progid}\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\quenloft.exe\\\" \\\"%1\\\"'
  WriteRegStr SHCTX '${classes}\\\\.kvp\\\\OpenWithProgids' '${progid}' ''
  WriteRegStr SHCTX '${classes}\\\\.kvs\\\\OpenWithProgids' '${progid}' ''
")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegValue SHCTX '${classes}\\\\.kvp\\\\OpenWithProgids' '${progid}'
  DeleteRegValue SHCTX '${classes}\\\\.kvs\\\\OpenWithProgids' '${progid}'
  DeleteRegKey /ifempty SHCTX '${classes}\\\\.kvp\\\\OpenWithProgids'
  DeleteRegKey /ifempty SHCTX '${classes}\\\\.kvs\\\\OpenWithProgids'
  DeleteRegKey /ifempty SHCTX '${classes}\\\\.kvp'
  DeleteRegKey /ifempty SHCTX '${classes}\\\\.kvs'
  DeleteRegKey SHCTX '${classes}\\\\${progid}'
")

include(CPack)
