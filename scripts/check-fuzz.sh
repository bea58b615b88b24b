#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ (QUENLOFT_FUZZ_BUILD to change) and runs each for
# QUENLOFT_FUZZ_SECONDS (default 60), one per processor at a time, seeded from samples/ and
# the target's regression inputs. Any finding fails the check; its input is left in build-fuzz/findings/<target>/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
quenloft_install_missing
quenloft_install_missing clang libclang-rt-14-dev

build="${QUENLOFT_FUZZ_BUILD:-$QUENLOFT_ROOT/build-fuzz}"
seconds="${QUENLOFT_FUZZ_SECONDS:-60}"
targets=(run_file_reader field_entry patch_faults journal_decoder)
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$QUENLOFT_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitize -fsanitize=fuzzer-no-link" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DQUENLOFT_WERROR=ON -DQUENLOFT_BUILD_FUZZERS=ON \
  -DQUENLOFT_BUILD_GUI=OFF -DQUENLOFT_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# One fuzzer per processor at a time; each writes its own log.
fuzz() {
  local target=$1
  local corpus="$build/corpus/$target"
  local findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  local seeds=("$QUENLOFT_ROOT/samples")
  [ -d "$QUENLOFT_ROOT/tests/fuzz/regressions/$target" ] &&
    seeds+=("$QUENLOFT_ROOT/tests/fuzz/regressions/$target")
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "${seeds[@]}" >"$build/fuzz-$target.log" 2>&1
}
jobs_at_once=$(nproc)
declare -A pid_of
failed=()
for ((i = 0; i < ${#targets[@]}; i += jobs_at_once)); do
  batch=("${targets[@]:i:jobs_at_once}")
  echo "--- fuzzing ${batch[*]} for $seconds s"
  for target in "${batch[@]}"; do
    fuzz "$target" &
    pid_of[$target]=$!
  done
  for target in "${batch[@]}"; do
    if wait "${pid_of[$target]}"; then
      grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/fuzz-$target.log" |
        sed "s/^/$target /" || true
    else
      tail -n 40 "$build/fuzz-$target.log"
      echo "FINDING in $target: input in $build/findings/$target/ (copy it to" \
        "tests/fuzz/regressions/$target/)"
      failed+=("$target")
    fi
  done
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "The fuzzing check failed: ${failed[*]}" >&2
  exit 1
fi
echo "The fuzzing check passed."
