#!/usr/bin/env bash
# game_without_display.sh: the real game started with no graphical display (DISPLAY and
# WAYLAND_DISPLAY unset) ends at once with exit code 1 and one line on standard error that names
# the program and says what to do, instead of running invisibly.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${WINGFEAST:-}" ] && [ -x "$WINGFEAST" ] || fail "WINGFEAST does not name the game binary"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || fail "no working directory"

start=$(date +%s%N)
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$WINGFEAST" >"$work/out" 2>"$work/err"
status=$?
elapsed_ms=$((($(date +%s%N) - start) / 1000000))

[ "$status" -eq 1 ] || fail "exit code $status, not 1"
[ "$elapsed_ms" -lt 1000 ] || fail "it took $elapsed_ms ms to give up"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "standard error is not one line: $(cat "$work/err")"
grep -q '^wingfeast: no graphical display found' "$work/err" || fail "unexpected message: $(cat "$work/err")"
grep -q 'xvfb-run' "$work/err" || fail "the message does not say what to do"
[ ! -e "$work/VORBL.SCR" ] || fail "a script file was left behind"
echo "PASS ($elapsed_ms ms): $(cat "$work/err")"
