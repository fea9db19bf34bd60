#!/usr/bin/env bash
# Runs each libFuzzer target of the `fuzz` preset for a bounded time and fails on any finding.
#
# Usage: scripts/run-fuzzers.sh [seconds per target] [target...]
#   seconds  how long each target runs (default 60); the targets run one after the other
#   target   script_playback, drawing_calls, win32_handles (default: all three)
# Needs `cmake --preset fuzz && cmake --build --preset fuzz -j2` first. Each run starts from the
# seed corpus in fuzz/corpus/<target> and works on a copy under build/fuzz/runs/<target>, so the
# repository's corpus stays small; new inputs, findings (crash-*, leak-*, timeout-*, oom-*) and
# the log are kept there. A finding, a unit slower than 60 s or a process above 2 GiB fails.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(script_playback drawing_calls win32_handles)
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/cmake/lsan-suppressions.txt"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if [[ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]]; then
  export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
fi

failed=()
for target in "${targets[@]}"; do
  program="build/fuzz/fuzz/${target}_fuzzer"
  run="build/fuzz/runs/$target"
  if [[ ! -x "$program" ]]; then
    echo "missing $program: build the fuzz preset first" >&2
    exit 2
  fi
  mkdir -p "$run/corpus" "$run/findings"
  cp -n "fuzz/corpus/$target/"* "$run/corpus/"
  echo "== fuzzing $target for ${seconds}s"
  if "$program" "$run/corpus" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
      -max_len=8192 -artifact_prefix="$PWD/$run/findings/" -print_final_stats=1 >"$run/log" 2>&1; then
    grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|new_units_added|slowest_unit_time_sec|peak_rss_mb))' "$run/log" || true
  else
    echo "FINDING in $target (log: $run/log, input: $run/findings/):"
    grep -E 'fuzz check failed|ERROR:|SUMMARY:|Test unit written' "$run/log" | head -20 || true
    failed+=("$target")
  fi
done

if ((${#failed[@]} > 0)); then
  echo "Fuzzing found problems in: ${failed[*]}" >&2
  exit 1
fi
echo "Fuzzing: no findings."
