#!/usr/bin/env bash
# Builds Quenloft and runs every test (GUI tests run offscreen). Arguments go to ctest.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
quenloft_install_missing
quenloft_build ON
export QT_QPA_PLATFORM=offscreen
"$QUENLOFT_ROOT/scripts/check-test-names.sh" "$QUENLOFT_BUILD"
ctest --test-dir "$QUENLOFT_BUILD" --output-on-failure --parallel "$(nproc)" "$@"
