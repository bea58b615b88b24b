#!/usr/bin/env bash
# Builds the whole test suite with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan/ (QUENLOFT_ASAN_BUILD to change) and runs it. Any sanitizer report fails a
# test, and so the check. Arguments go to ctest.
set -euo pipefail
source "$(dirname "$0")/common.sh"
quenloft_install_missing
quenloft_install_missing clang libclang-rt-14-dev

build="${QUENLOFT_ASAN_BUILD:-$QUENLOFT_ROOT/build-asan}"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$QUENLOFT_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DQUENLOFT_WERROR=ON \
  -DQUENLOFT_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
