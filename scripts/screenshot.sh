#!/usr/bin/env bash
# Starts the Quenloft window on a virtual X screen (1024x768x24), waits for it to settle
# and saves a picture of the screen under screenshots/ so a person can look at it.
# Arguments are handed to the program. QUENLOFT_SCREENSHOT names the PNG (default: a
# time stamp), QUENLOFT_SCREENSHOT_DELAY is the wait in seconds (default 3).
set -euo pipefail
source "$(dirname "$0")/common.sh"
quenloft_install_missing

if [ ! -f "$QUENLOFT_BUILD/build.ninja" ]; then
  cmake -S "$QUENLOFT_ROOT" -B "$QUENLOFT_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$QUENLOFT_BUILD" --target quenloft >/dev/null

shots="$QUENLOFT_ROOT/screenshots"
mkdir -p "$shots"
name="${QUENLOFT_SCREENSHOT:-quenloft-$(date +%Y%m%d-%H%M%S)}"
export QUENLOFT_EXE="$QUENLOFT_BUILD/src/app/quenloft"
export QUENLOFT_SHOT="$shots/${name%.png}.png"
export QUENLOFT_DELAY="${QUENLOFT_SCREENSHOT_DELAY:-3}"

# The program runs in the background of the virtual display's session; the picture is
# taken after the delay and the program is then ended by its own process id.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$QUENLOFT_EXE" "$@" &
  pid=$!
  sleep "$QUENLOFT_DELAY"
  import -window root "$QUENLOFT_SHOT"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' quenloft "$@"
echo "$QUENLOFT_SHOT"
