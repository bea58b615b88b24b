#!/usr/bin/env bash
# Compiles every source file under src/ for Windows, syntax only, with the mingw-w64 cross
# compiler against Qt's headers, so the Win32 branches keep compiling. Fails on any error.
# Installs the cross compiler when it is missing.
set -euo pipefail
source "$(dirname "$0")/common.sh"
quenloft_install_missing g++-mingw-w64-x86-64-posix qt6-base-dev

cxx=x86_64-w64-mingw32-g++-posix
qt="$(dirname "$(find /usr/include -path '*/qt6/QtCore/qglobal.h' -print -quit)")/.."
[ -d "$qt/QtCore" ] || { echo "Qt 6 headers not found" >&2; exit 1; }
version=$(sed -n 's/^project(Quenloft VERSION \([0-9.]*\).*/\1/p' "$QUENLOFT_ROOT/CMakeLists.txt")
IFS=. read -r major minor revision <<<"$version"

flags=(
  -std=c++20 -fsyntax-only -Wall -Wextra
  -Wno-attributes # Qt's export macros, configured for Linux, lose their dllimport here
  -DUNICODE -D_UNICODE -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII
  -DQUENLOFT_VERSION_MAJOR="$major" -DQUENLOFT_VERSION_MINOR="$minor"
  -DQUENLOFT_VERSION_REVISION="$revision"
  -I"$QUENLOFT_ROOT/src" -I"$qt" -I"$qt/QtCore" -I"$qt/QtGui" -I"$qt/QtWidgets"
)

cd "$QUENLOFT_ROOT"
mapfile -t sources < <(git ls-files 'src/*.cpp' 2>/dev/null || find src -name '*.cpp' | sort)
echo "Compiling ${#sources[@]} files for Windows with $cxx"
failed=0
printf '%s\0' "${sources[@]}" |
  xargs -0 -P "$(nproc)" -I{} sh -c '"$0" "$@" {} || { echo "FAILED: {}"; exit 255; }' \
    "$cxx" "${flags[@]}" || failed=1
if [ "$failed" -ne 0 ]; then
  echo "The Windows syntax check failed." >&2
  exit 1
fi
echo "The Windows syntax check passed."
