#!/usr/bin/env bash
# game_without_display.sh: the real game started with no graphical display (DISPLAY and
# WAYLAND_DISPLAY unset) ends at once with exit code 1 and one line on standard error that names
# the program and says what to do, instead of running invisibly. Started with a display that
# does not answer, or with too few file descriptors to open the one the wrapper gives (DISPLAY),
# it says that instead; so it does on a display of 8 bits per pixel, which it cannot colour.
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
echo "no display: $elapsed_ms ms: $(cat "$work/err")"

# Each other cause: the command's prefix and the line's start. The descriptor limit is set with
# only the standard three open, whatever the test runner leaves open, so the programs still load.
check_cause() {
    local what=$1 expected=$2
    shift 2
    (cd "$work" && "$@" "$WINGFEAST" >"$work/out" 2>"$work/err")
    local status=$?
    [ "$status" -eq 1 ] || fail "$what: exit code $status, not 1"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$what: standard error is not one line: $(cat "$work/err")"
    grep -q "^wingfeast: $expected" "$work/err" || fail "$what: unexpected message: $(cat "$work/err")"
    echo "$what: $(cat "$work/err")"
}
check_cause "a display nobody serves" "cannot open the graphical display :4097 (" \
    env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:4097 timeout 10
if [ -n "${DISPLAY:-}" ]; then
    check_cause "ulimit -n 4" "cannot open the graphical display: too few file descriptors" \
        bash -c 'for fd in /proc/$$/fd/*; do n=${fd##*/}; ((n > 2)) && eval "exec $n>&-"; done
                 ulimit -n 4; exec timeout 10 "$@"' limit
fi
# A display of 8 bits per pixel, which SDL cannot give colours to: an X server of its own.
if command -v Xvfb >/dev/null; then
    Xvfb -displayfd 3 -screen 0 1024x768x8 3>"$work/display8" >/dev/null 2>&1 &
    server_pid=$!
    for _ in $(seq 50); do [ -s "$work/display8" ] && break; sleep 0.1; done
    check_cause "an 8-bit display" "the display shows only 256 colours" \
        env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=":$(cat "$work/display8")" timeout 10
    kill "$server_pid"
fi
echo "PASS"
