#!/usr/bin/env bash
# Builds Quenloft and starts the window. The window opens on the bundled samples the first
# time (with no stored folder it shows the folder it was started in) and on the folder it
# was closed in after that. Without a display it shows the samples with the command-line
# program instead.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
quenloft_install_missing
quenloft_build

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cd "$QUENLOFT_ROOT/samples"
  exec "$QUENLOFT_BUILD/src/app/quenloft"
fi

echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset), so the window cannot open."
echo "Showing the bundled samples with quenloft-cli instead."
echo
cli="$QUENLOFT_BUILD/src/cli/quenloft-cli"
"$cli" check "$QUENLOFT_ROOT/samples" || true
for f in "$QUENLOFT_ROOT"/samples/*; do
  echo
  echo "== $(basename "$f")"
  "$cli" show "$f" || true
done
