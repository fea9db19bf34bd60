# wine_session.sh: sourced by the scripts that run Windows programs under Wine. Finds wine64,
# wineserver and an X display (its own Xvfb when there is none), makes the Wine prefix on first
# use, and tells Wine there is no window manager (X11 driver "Managed" = N): without one, Wine
# waits up to 2 s for a window manager to confirm every hide of a captioned window, so a program
# that closes two windows would take 4 s to end. Wine then draws the window frames itself, as
# Windows does.
#
# Usage: source wine_session.sh; wine_session_start WORK_DIR; ...; wine_session_stop
# Sets: wine, wineserver, DISPLAY, WINEPREFIX (WORK_DIR/wineprefix, or VORBL_WINE_PREFIX when
# set, so that several scripts share one prefix and make it once). wine_session_start returns
# 77 with "skipped: <why>" printed when Wine or Xvfb is missing, unless VORBL_REQUIRE_WINE=1.

wine_session_skip() {
    if [[ "${VORBL_REQUIRE_WINE:-0}" == 1 ]]; then
        echo "wine: $1, and VORBL_REQUIRE_WINE=1 asks for the Wine run" >&2
        return 1
    fi
    echo "skipped: $1"
    return 77
}

wine_session_elapsed_ms() { echo $((($(date +%s%N) - $1) / 1000000)); }

wine_session_start() {
    local work=$1
    wine=$(command -v wine64 || true)
    [[ -z "$wine" && -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64
    [[ -n "$wine" ]] || { wine_session_skip "wine64 not installed"; return; }
    wineserver=$(command -v wineserver || true)
    [[ -z "$wineserver" && -x /usr/lib/wine/wineserver64 ]] && wineserver=/usr/lib/wine/wineserver64
    [[ -n "$wineserver" ]] || { wine_session_skip "wineserver not installed"; return; }
    wine_session_xvfb=""
    if [[ -z "${DISPLAY:-}" ]]; then
        command -v Xvfb >/dev/null || { wine_session_skip "no X display and Xvfb not installed"; return; }
        rm -f "$work/display"
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
        wine_session_xvfb=$!
        local tries
        for tries in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
        export DISPLAY=":$(cat "$work/display")"
    fi
    export WINEPREFIX="${VORBL_WINE_PREFIX:-$work/wineprefix}" WINEARCH=win64 WINEDEBUG=-all
    # No debugger on a crash (the program ends and the check fails instead of waiting), and no
    # offer to install Mono or Gecko, which nothing here uses.
    export WINEDLLOVERRIDES="winedbg.exe=d;mscoree,mshtml="
    if [[ ! -f "$WINEPREFIX/.vorbl-ready" ]]; then
        local started
        started=$(date +%s%N)
        "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || true
        "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
            >>"$work/wineboot.log" 2>&1 || true
        "$wineserver" -w 2>/dev/null || true
        touch "$WINEPREFIX/.vorbl-ready"
        echo "wine: prefix made in $(wine_session_elapsed_ms "$started") ms"
    fi
}

# Safe under `set -e` too: a wineserver already ended (wineserver -k fails then) must not stop
# the Xvfb from being ended.
wine_session_stop() {
    if [[ -n "${wineserver:-}" ]]; then "$wineserver" -k 2>/dev/null || true; fi
    if [[ -n "${wine_session_xvfb:-}" ]]; then kill "$wine_session_xvfb" 2>/dev/null || true; fi
    return 0
}
