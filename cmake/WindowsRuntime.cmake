# A cross build for Windows puts every program in bin/ beside the DLLs and plug-ins it needs,
# so each one starts under Wine (the tests through ctest's emulator) as it would from an
# installed folder: Qt's DLLs, the compiler's runtime DLLs, and the platform and style
# plug-ins in the folders Qt looks for beside the program.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# Installed the same way: everything in the one folder the installer makes.
set(CMAKE_INSTALL_BINDIR .)

execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE QUENLOFT_LIBSTDCXX_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
    OUTPUT_VARIABLE QUENLOFT_WINPTHREAD_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(compiler_runtime ${QUENLOFT_LIBSTDCXX_DLL} DIRECTORY)
get_filename_component(thread_runtime ${QUENLOFT_WINPTHREAD_DLL} DIRECTORY)
# Where the DLLs the programs import are found: Qt's, then the compiler's.
set(QUENLOFT_RUNTIME_FOLDERS ${QUENLOFT_QT_WINDOWS}/bin ${compiler_runtime} ${thread_runtime})

file(GLOB qt_dlls ${QUENLOFT_QT_WINDOWS}/bin/*.dll)
file(COPY ${qt_dlls} ${QUENLOFT_LIBSTDCXX_DLL} ${compiler_runtime}/libgcc_s_seh-1.dll
    ${QUENLOFT_WINPTHREAD_DLL} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
foreach(plugin platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll)
    get_filename_component(kind ${plugin} DIRECTORY)
    file(COPY ${QUENLOFT_QT_WINDOWS}/plugins/${plugin}
        DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${kind})
endforeach()
