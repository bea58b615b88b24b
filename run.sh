#!/usr/bin/env bash
# Builds Quenloft and shows the bundled sample run files with the command-line program.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
quenloft_install_missing
quenloft_build OFF
cli="$QUENLOFT_BUILD/src/cli/quenloft-cli"
"$cli" check "$QUENLOFT_ROOT/samples" || true
for f in "$QUENLOFT_ROOT"/samples/*; do
  echo
  echo "== $(basename "$f")"
  "$cli" show "$f" || true
done
