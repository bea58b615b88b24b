#!/usr/bin/env bash
# Installs the Windows installer (build-windows/quenloft-<version>-win64.exe, built first when
# missing) silently into the Windows build's Wine prefix, starts the installed window under
# Wine on a virtual X screen with a copy of a bundled sample, and saves a picture of the
# screen: screenshots/windows-nox.png, or the path given.
#
#   scripts/screenshot-windows.sh [OUT.png]
#
# The prefix maps Arial and MS Sans Serif to Liberation Sans (scripts/common.sh), so the
# window is set in faces of Windows' own metrics.
set -euo pipefail
source "$(dirname "$0")/common.sh"
out=${1:-$QUENLOFT_ROOT/screenshots/windows-nox.png}
quenloft_install_missing "${QUENLOFT_WINDOWS_PACKAGES[@]}" imagemagick x11-utils
version=$(sed -n 's/^project(Quenloft VERSION \([0-9.]*\).*/\1/p' "$QUENLOFT_ROOT/CMakeLists.txt")
installer="$QUENLOFT_WINDOWS_BUILD/quenloft-$version-win64.exe"
if [ ! -f "$installer" ]; then
  QUENLOFT_WINDOWS_TESTS=0 "$QUENLOFT_ROOT/scripts/build-windows.sh"
  (cd "$QUENLOFT_WINDOWS_BUILD" && cpack -G NSIS >/dev/null)
fi
quenloft_wine_prefix
# Wine's desktop is bound to the display its server started with: a server started without
# one (by the test suite) is ended, and the window's is started on the virtual screen.
wineserver -k 2>/dev/null || true
wineserver -w
folder='C:\Program Files\Quenloft'
wine "$installer" /S "/D=$folder"
wineserver -w
unix_folder=$(winepath -u "$folder")
runs=$(winepath -u 'C:\runs')
mkdir -p "$runs"
cp "$unix_folder/samples/friday_pass_1.kvp" "$runs/"

mkdir -p "$(dirname "$out")"
# The window on an X screen of its own; the picture is taken once it has drawn.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine "$1\\quenloft.exe" "C:\\runs\\friday_pass_1.kvp" &
  program=$!
  window=
  for _ in $(seq 60); do
    sleep 1
    window=$(xwininfo -root -tree 2>/dev/null | sed -n "s/^ *\(0x[0-9a-f]*\) \"Quenloft v.*/\1/p" | head -n 1)
    [ -n "$window" ] && break
  done
  [ -n "$window" ] || { echo "The window did not appear" >&2; exit 1; }
  sleep 3
  import -window "$window" "$2"
  kill "$program" 2>/dev/null || true
  wineserver -k
' screenshot "$folder" "$out"
wine "$folder\\quenloft-cli.exe" --version
echo "$out"
