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
# X display the script starts its own Xvfb. Exits 1 when any comparison fails.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
native_dir=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
shift 2
programs=("$@")
if ((${#programs[@]} == 0)); then
    programs=(gdi_shapes gdi_pixels gdi_objects gdi_text menus user_messages)
fi

skip_or_fail() {
    if [[ "${VORBL_REQUIRE_WINE:-0}" == 1 ]]; then
        echo "conformance: $1, and VORBL_REQUIRE_WINE=1 asks for the Wine run" >&2
        exit 1
    fi
    echo "skipped: $1"
    exit 77
}

wine=$(command -v wine64 || true)
[[ -z "$wine" && -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64
[[ -n "$wine" ]] || skip_or_fail "wine64 not installed"
wineserver=$(command -v wineserver || true)
[[ -z "$wineserver" && -x /usr/lib/wine/wineserver64 ]] && wineserver=/usr/lib/wine/wineserver64
compiler=$(command -v x86_64-w64-mingw32-g++ || true)
[[ -n "$compiler" ]] || skip_or_fail "x86_64-w64-mingw32-g++ (mingw-w64) not installed"

xvfb_pid=""
cleanup() {
    [[ -n "$wineserver" ]] && WINEPREFIX="$work/wineprefix" "$wineserver" -k 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# A display of our own when there is none: Xvfb picks a free number and writes it to fd 3.
if [[ -z "${DISPLAY:-}" ]]; then
    command -v Xvfb >/dev/null || skip_or_fail "no X display and Xvfb not installed"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")"
fi

export WINEPREFIX="$work/wineprefix" WINEARCH=win64 WINEDEBUG=-all
# No debugger on a crash (the program ends and the comparison fails instead of waiting), and no
# offer to install Mono or Gecko, which the programs do not use.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree,mshtml="

elapsed() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }

if [[ ! -d "$WINEPREFIX/drive_c" ]]; then
    started=$(date +%s%N)
    "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || true
    "$wineserver" -w 2>/dev/null || true
    echo "conformance: Wine prefix created in $(elapsed "$started") ms"
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
    echo "conformance: $program ran under Wine in $(elapsed "$started") ms"
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
