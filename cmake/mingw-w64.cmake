# Cross-compiles for 64-bit Windows with Debian's mingw-w64 compiler (posix threads, which
# std::thread and Qt need). Qt for Windows is looked for in QUENLOFT_QT_WINDOWS
# (scripts/build-qt-windows.sh puts it there); Qt's host tools (moc, rcc, uic) come from the
# Linux Qt under QT_HOST_PATH.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DQUENLOFT_QT_WINDOWS=$HOME/.cache/quenloft/qt-6.4.2-mingw
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT QUENLOFT_QT_WINDOWS)
    set(QUENLOFT_QT_WINDOWS "$ENV{HOME}/.cache/quenloft/qt-6.4.2-mingw")
endif()
# try_compile() projects load this file again; they need the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUENLOFT_QT_WINDOWS)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${QUENLOFT_QT_WINDOWS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT QT_HOST_PATH)
    set(QT_HOST_PATH /usr)
endif()
if(NOT QT_HOST_PATH_CMAKE_DIR)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
