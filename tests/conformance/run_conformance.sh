#!/usr/bin/env bash
# run_conformance.sh: runs every conformance program twice, natively on the platform layer and,
# built with mingw-w64, under Wine, then compares each pair of traces (compare_traces.sh).
#
# Usage: run_conformance.sh NATIVE_DIR WORK_DIR [PROGRAM...]
#   NATIVE_DIR holds the native builds (conformance_<program>); WORK_DIR receives the Windows
#   builds, the traces, the comparison reports and the Wine prefix (made at the first run).
#
# Without wine64 or the mingw-w64 compiler the run is skipped with exit code 77 and a message
# saying which is missing, unless VORBL_REQUIRE_WINE=1 (CI), which makes that a failure. With no
# X display it starts its own Xvfb (wine_session.sh). Exits 1 when any comparison fails.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
native_dir=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
shift 2
programs=("$@")
if ((${#programs[@]} == 0)); then
    programs=(gdi_shapes gdi_pixels gdi_objects gdi_text menus user_messages menu_input show_window)
fi

source "$here/wine_session.sh"
trap wine_session_stop EXIT
status=0
wine_session_start "$work" || status=$?
((status == 0)) || exit "$status"
compiler=$(command -v x86_64-w64-mingw32-g++ || true)
if [[ -z "$compiler" ]]; then
    status=0
    wine_session_skip "x86_64-w64-mingw32-g++ (mingw-w64) not installed" || status=$?
    exit "$status"
fi

failed=0
for program in "${programs[@]}"; do
    source="$here/$program.cpp"
    exe="$work/$program.exe"
    "$compiler" -std=c++20 -O1 -static -Wall -Wextra -o "$exe" "$source" -lgdi32 -luser32
    "$native_dir/conformance_$program" >"$work/$program.native.txt" 2>"$work/$program.native.err" ||
        echo "conformance: the native $program exited with $?" >&2
    started=$(date +%s%N)
    if ! timeout 300 "$wine" "$exe" 2>"$work/$program.wine.err" | tr -d '\r' >"$work/$program.wine.txt"; then
        echo "conformance: $program under Wine failed; see $work/$program.wine.err" >&2
    fi
    echo "conformance: $program ran under Wine in $(wine_session_elapsed_ms "$started") ms"
    if ! "$here/compare_traces.sh" "$program" "$work/$program.native.txt" "$work/$program.wine.txt" \
        "$here/known-differences.txt" >"$work/$program.compare.txt"; then
        failed=1
    fi
    grep -v '^  listed ' "$work/$program.compare.txt" || true
done

if ((failed)); then
    echo "conformance: differences from Wine that known-differences.txt does not list (reports in $work)"
    exit 1
fi
echo "conformance: every difference from Wine is listed in known-differences.txt"
