#!/usr/bin/env bash
# compare_traces_test.sh: checks compare_traces.sh on small made-up traces: identical traces
# pass; a difference passes only when listed; a line on one side only, an unlisted difference,
# an entry without a reason and a stale entry each fail.
# Usage: compare_traces_test.sh COMPARE_TRACES_SCRIPT WORK_DIR
set -uo pipefail
compare=$1
work=$2
mkdir -p "$work"
failures=0

expect() {  # expect EXIT_CODE NAME NATIVE WINE KNOWN
    local want=$1 name=$2
    printf '%b' "$3" >"$work/native.txt"
    printf '%b' "$4" >"$work/wine.txt"
    printf '%b' "$5" >"$work/known.txt"
    bash "$compare" prog "$work/native.txt" "$work/wine.txt" "$work/known.txt" >"$work/out.txt"
    local got=$?
    if [[ $got != "$want" ]]; then
        echo "FAIL $name: exit $got, expected $want"
        cat "$work/out.txt"
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
}

trace='## shapes\nrow 00: ..#\nrow 01: .##\n## calls\nresult: 1\n'
other='## shapes\nrow 00: ..#\nrow 01: ###\n## calls\nresult: 1\n'
expect 0 "identical traces" "$trace" "$trace" ''
expect 1 "an unlisted pixel row" "$trace" "$other" ''
expect 0 "a listed pixel row" "$trace" "$other" 'prog | sha* | row 01 | a reason\n'
expect 1 "an entry of another program" "$trace" "$other" 'other | shapes | row 01 | a reason\n'
expect 1 "an entry without a reason" "$trace" "$other" 'prog | shapes | row 01 |\n'
expect 1 "a stale entry" "$trace" "$trace" 'prog | shapes | row 01 | no longer differs\n'
expect 1 "a line on one side only" "$trace" "$trace"'extra: 2\n' ''
expect 1 "a section on one side only" "$trace" "$trace"'## more\nresult: 0\n' ''
expect 0 "carriage returns are ignored" "$trace" "${trace//\\n/\\r\\n}" ''

if ((failures)); then
    echo "$failures failed"
    exit 1
fi
echo "all comparison checks passed"
