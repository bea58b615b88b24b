#!/usr/bin/env bash
# Cross-builds Quenloft for 64-bit Windows in build-windows/: quenloft.exe, quenloft-cli.exe
# and every test program, then runs the suite under Wine. Arguments go to ctest.
#
# Installs what is missing (the mingw-w64 cross compiler, Wine, NSIS), and puts Qt for
# Windows in $QUENLOFT_QT_WINDOWS (default ~/.cache/quenloft/qt-6.4.2-mingw) with
# scripts/build-qt-windows.sh first. QUENLOFT_WINDOWS_TESTS=0 builds without running the
# suite.
set -euo pipefail
source "$(dirname "$0")/common.sh"
quenloft_build_windows
[ "${QUENLOFT_WINDOWS_TESTS:-1}" = 0 ] && exit 0
# One Wine server for the whole suite rather than one per test program started.
quenloft_wine_start
# A case that hangs under Wine (rarely, under load) is tried once more before it counts.
ctest --test-dir "$QUENLOFT_WINDOWS_BUILD" --output-on-failure --parallel "$(nproc)" \
  --timeout 90 --repeat after-timeout:2 "$@"
