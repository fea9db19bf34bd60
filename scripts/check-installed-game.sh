#!/usr/bin/env bash
# check-installed-game.sh: starts an installed Wingfeast in a virtual X server and checks that
# both of its windows appear, that the graphics window carries the game's icon (with xprop), and
# that Ctrl+Q ends it within a second with exit code 0.
#
# Usage: scripts/check-installed-game.sh [GAME]   (default: wingfeast from the PATH)
# Runs itself under xvfb-run when there is no display. Needs xvfb-run, xdotool and x11-utils. The game runs
# in a temporary working directory (where a recording would land), removed afterwards.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }

game=${1:-$(command -v wingfeast)}
[ -n "$game" ] && [ -x "$game" ] || fail "no game to start (${1:-wingfeast not in PATH})"
game=$(readlink -f "$game")
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$game"
fi
command -v xdotool >/dev/null || fail "xdotool is needed"

work=$(mktemp -d)
game_pid=""
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then kill "$game_pid"; fi
    rm -rf "$work"
}
trap cleanup EXIT

cd "$work" || fail "no working directory"
"$game" &
game_pid=$!

for title in "VORBL Graphics" "VORBL Text"; do
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
    [ -n "$window" ] || fail "the window \"$title\" did not appear"
    echo "window \"$title\" is shown"
done

graphics=$(xdotool search --name '^VORBL Graphics$' | head -n 1)

# An installed game carries its icon from the desktop's icon theme in its window's properties.
if command -v xprop >/dev/null; then
    icon=$(xprop -id "$graphics" _NET_WM_ICON | head -n 1)
    [[ "$icon" == *"Icon (64 x 64)"* ]] || fail "the graphics window has no 64 x 64 icon: $icon"
    echo "the graphics window shows the game's icon"
fi

# The pointer over the graphics window gives it the keyboard where no window manager runs.
xdotool mousemove --window "$graphics" 300 300
sleep 0.2
xdotool key ctrl+q
for _ in $(seq 10); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs one second after Ctrl+Q"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS: $game showed its windows and quit on Ctrl+Q with exit code 0"
