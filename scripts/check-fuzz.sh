#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, in the build check-sanitizers.sh uses (build-asan/,
# QUENLOFT_ASAN_BUILD to change), and runs each for QUENLOFT_FUZZ_SECONDS (default 60),
# one per processor at a time, seeded from samples/ and the target's regression inputs.
# Any finding fails the check; its input is left in build-asan/findings/<target>/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
quenloft_configure_sanitized
build="$QUENLOFT_SANITIZED_BUILD"
seconds="${QUENLOFT_FUZZ_SECONDS:-60}"
targets=(run_file_reader field_entry patch_faults journal_decoder)
cmake --build "$build" --parallel --target "${targets[@]/#/fuzz_}"

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
