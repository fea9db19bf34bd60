#!/usr/bin/env bash
# game_display_lost.sh: the X server ends while the real game records; the game ends with one
# line on standard error and exit code 1, and the script it was recording is complete: the keys
# typed and the run of periodic events still pending when the display went away.
# Starts an X server of its own (Xvfb, on a free display number) so that it can end it.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${WINGFEAST:-}" ] && [ -x "$WINGFEAST" ] || fail "WINGFEAST does not name the game binary"
for tool in Xvfb xdotool; do command -v "$tool" >/dev/null || fail "$tool is needed"; done

work=$(mktemp -d)
server_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || fail "no working directory"

Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$work/display" >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

# The SDL state of windows whose server is gone cannot be given back (SDL would wait for the
# server's answers): in a sanitizer build, leak checking is off for this one run.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$WINGFEAST" 2>"$work/err" &
game_pid=$!
window=$(timeout 10 xdotool search --sync --name '^VORBL Graphics$' | head -n 1)
[ -n "$window" ] || fail "the game's window did not appear"
xdotool mousemove --window "$window" 300 300
xdotool key ctrl+r
sleep 0.3
xdotool type --delay 60 "n8"
sleep 1

kill "$server_pid"
server_pid=""
for _ in $(seq 30); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs 3 s after its display went away"
wait "$game_pid"
status=$?
game_pid=""

[ "$status" -eq 1 ] || fail "exit code $status, not 1"
grep -q '^wingfeast: the graphical display went away' "$work/err" || fail "message: $(cat "$work/err")"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "standard error is not one line: $(cat "$work/err")"
[ -f VORBL.SCR ] || fail "no script file"
grep -qx 'VORBL_KBD(110);' VORBL.SCR || fail "the N typed is not in the script: $(cat VORBL.SCR)"
grep -qx 'VORBL_KBD(56);' VORBL.SCR || fail "the 8 typed is not in the script: $(cat VORBL.SCR)"
tail -n 1 VORBL.SCR | grep -Eqx 'VORBL_PERIODIC\([1-9][0-9]*\);' \
    || fail "the pending periodic run was not written: $(cat VORBL.SCR)"
echo "PASS"
