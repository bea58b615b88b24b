#!/usr/bin/env bash
# Pictures of the window with a bundled Nox sample and a Solvane sample loaded, taken on a
# virtual X screen, in screenshots/ (not kept in git).
set -euo pipefail
source "$(dirname "$0")/common.sh"
quenloft_install_missing
if [ ! -f "$QUENLOFT_BUILD/build.ninja" ]; then
  cmake -S "$QUENLOFT_ROOT" -B "$QUENLOFT_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$QUENLOFT_BUILD" --target quenloft-window-snapshot >/dev/null
snapshot="$(find "$QUENLOFT_BUILD" -name quenloft-window-snapshot -type f -perm -u+x | head -n 1)"
shots="$QUENLOFT_ROOT/screenshots"
mkdir -p "$shots"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Copies, so the samples stay as they are.
cp "$QUENLOFT_ROOT/samples/friday_pass_1.kvp" "$QUENLOFT_ROOT/samples/coastdown.kvs" "$work/"
xvfb-run -a -s "-screen 0 1024x768x24" "$snapshot" "$work/friday_pass_1.kvp" "$shots/window-nox.png"
xvfb-run -a -s "-screen 0 1024x768x24" "$snapshot" "$work/coastdown.kvs" "$shots/window-solvane.png" --metric
echo "$shots/window-nox.png"
echo "$shots/window-solvane.png"
