#!/usr/bin/env bash
# Fails when a ctest name holds printed parameter bytes ("24-byte object <…>"): such names
# change from build to build, so nobody can run or report that case by name.
set -euo pipefail
build="${1:?usage: check-test-names.sh BUILD_DIR}"
names=$(ctest --test-dir "$build" -N | sed -n 's/^ *Test *#[0-9]*: //p')
bad=$(grep -F "byte object" <<<"$names" || true)
if [ -n "$bad" ]; then
  echo "These test names print raw parameter bytes; give their suite a name generator:" >&2
  echo "$bad" >&2
  exit 1
fi
echo "$(wc -l <<<"$names") test names, all readable."
