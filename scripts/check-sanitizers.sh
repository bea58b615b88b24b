#!/usr/bin/env bash
# Builds the whole test suite with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan/ (QUENLOFT_ASAN_BUILD to change) and runs it. Any sanitizer report fails a
# test, and so the check. Arguments go to ctest.
set -euo pipefail
source "$(dirname "$0")/common.sh"
quenloft_configure_sanitized
cmake --build "$QUENLOFT_SANITIZED_BUILD" --parallel

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$QUENLOFT_SANITIZED_BUILD" --output-on-failure --parallel "$(nproc)" "$@"
