#!/usr/bin/env bash
# check-wayland.sh: the desktop build's game and an example on Weston, Debian's Wayland
# compositor, with no X server reachable by them (DISPLAY unset).
#
# Usage: scripts/check-wayland.sh BUILD_DIR WORK_DIR     (BUILD_DIR: the dev or release build)
#
# Weston runs with its X11 back end inside a private Xvfb: that back end has an input seat, and
# xdotool input on the Xvfb reaches Weston's clients (the pointer after a warp and a few small
# moves); Weston's output fills the Xvfb's top-left corner, so output and Xvfb coordinates are
# the same. Pictures of the output come from Weston's screenshooter. Checks:
#   - the game's two windows show (the instruction screen's sky and white box on the output),
#     N starts a round (the box goes), Ctrl+Q ends it with exit code 0;
#   - the click_and_type example: a click draws its red dot, typing its blue text, Ctrl+Q
#     ends it with 0;
#   - on Weston's headless back end (no seat) the game says so and ends with 1, never crashes;
#   - with WAYLAND_DISPLAY naming no compositor, the no-display line and exit code 1.
# Needs weston, xvfb, xdotool and ImageMagick; libdecor-0-plugin-1-cairo for title bars.
set -uo pipefail

build=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
game="$build/game/wingfeast"
example="$build/examples/click_and_type"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }
for tool in weston weston-screenshooter Xvfb xdotool convert; do
    command -v "$tool" >/dev/null || fail "$tool is needed"
done
[[ -x "$game" && -x "$example" ]] || fail "build the game and the examples in $build first"

export XDG_RUNTIME_DIR="$work/runtime"
rm -rf "$XDG_RUNTIME_DIR"
mkdir -m 0700 -p "$XDG_RUNTIME_DIR"
socket="vorbl-$$"
xvfb_pid=""
weston_pid=""
client_pid=""
stop_weston() {
    [[ -n "$weston_pid" ]] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    weston_pid=""
}
finish() {
    [[ -n "$client_pid" ]] && kill "$client_pid" 2>/dev/null
    stop_weston
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    return 0
}
trap finish EXIT

start_weston() {  # back end, then any further weston options
    weston --backend="$1" --socket="$socket" --idle-time=0 "${@:2}" >"$work/weston.log" 2>&1 &
    weston_pid=$!
    for _ in $(seq 100); do
        [[ -S "$XDG_RUNTIME_DIR/$socket" ]] && return 0
        sleep 0.1
    done
    fail "weston did not start (see $work/weston.log)"
}

# Runs a program as a Wayland client: no DISPLAY, only WAYLAND_DISPLAY.
run_client() {  # output file, program
    (cd "$work" && exec env -u DISPLAY WAYLAND_DISPLAY="$socket" "$2") >"$1" 2>&1 &
    client_pid=$!
}

# Waits for the client to end by itself, up to 5 s; its exit code in $code ("" when it did not).
await_exit() {
    code=""
    for _ in $(seq 100); do
        if ! kill -0 "$client_pid" 2>/dev/null; then
            wait "$client_pid"
            code=$?
            client_pid=""
            return
        fi
        sleep 0.05
    done
}

# ---- Without a seat, and without a compositor: a clear line, exit code 1 ------------------------
start_weston headless-backend.so
run_client "$work/headless.out" "$game"
await_exit
[[ "$code" == 1 ]] || fail "on a compositor without a seat the game ended with '${code:-no exit}', not 1"
grep -q "no seat" "$work/headless.out" || fail "no word of the missing seat: $(cat "$work/headless.out")"
echo "PASS without a seat the game says so and ends with 1: $(head -n 1 "$work/headless.out")"
stop_weston

started=$(date +%s%N)
(cd "$work" && exec env -u DISPLAY WAYLAND_DISPLAY="vorbl-nothing-$$" "$game") >"$work/none.out" 2>&1
code=$?
[[ "$code" == 1 ]] &&
    grep -q "cannot open the graphical display vorbl-nothing-$$ (Wayland)" "$work/none.out" ||
    fail "WAYLAND_DISPLAY naming nothing: exit code $code, said: $(cat "$work/none.out")"
echo "PASS WAYLAND_DISPLAY naming nothing: the line naming it and exit code 1 in $(ms_since "$started") ms"

# ---- Weston's X11 back end in a private Xvfb ----------------------------------------------------
rm -f "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
start_weston x11-backend.so --width=1200 --height=1000 --debug

# A picture of Weston's output through its own screenshot client (allowed by --debug).
shoot() {
    local shots="$work/shots"
    rm -rf "$shots"
    mkdir -p "$shots"
    (cd "$shots" && env -u DISPLAY WAYLAND_DISPLAY="$socket" timeout 10 weston-screenshooter) \
        >/dev/null 2>&1 || fail "weston-screenshooter took no picture"
    mv "$shots"/*.png "$1" 2>/dev/null || fail "weston-screenshooter wrote no picture"
}
count_colour() {  # picture colour: how many pixels have it
    convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format "%[fx:int(mean*w*h)]" info:
}
bounds_of() { convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format "%@" info:; }
# Waits up to 10 s until the output shows more than `least` pixels of the colour.
wait_for_colour() {  # picture colour least what
    for _ in $(seq 100); do
        shoot "$1"
        (($(count_colour "$1" "$2") > $3)) && return 0
        sleep 0.1
    done
    fail "$4 (see $1)"
}
# Clicks at (x, y) of the output: a warp, then small moves, so that Weston sees pointer motion.
click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool mousemove_relative 3 3
    sleep 0.1
    xdotool mousemove_relative -- -3 -3
    sleep 0.1
    xdotool click 1
}
# Ctrl+Q ends the client with exit code 0.
quit_with_ctrl_q() {  # what
    xdotool key --delay 50 ctrl+q
    await_exit
    [[ "$code" == 0 ]] || fail "$1: Ctrl+Q gave exit code '${code:-still running after 5 s}'"
    echo "PASS Ctrl+Q ends $1 with exit code 0"
}

plum="rgb(153,102,153)"
white="rgb(255,255,255)"
# The graphics window's menu bar (the window system's menu colour): its top-left corner, in
# $menu_x and $menu_y; the canvas begins 19 pixels below it.
find_menu_bar() {  # picture
    local menu
    menu=$(bounds_of "$1" "rgb(212,208,200)")
    [[ "$menu" != 0x0+* ]] || fail "no menu bar on Weston's output (see $1)"
    menu_x=${menu#*+}
    menu_x=${menu_x%%+*}
    menu_y=${menu##*+}
}

started=$(date +%s%N)
run_client "$work/game.out" "$game"
wait_for_colour "$work/game-start.png" "$plum" 20000 "the game's sky never showed on Weston's output"
echo "PASS the game's windows show on Weston ($(ms_since "$started") ms after its start; game-start.png)"
white_before=$(count_colour "$work/game-start.png" "$white")
((white_before > 150000)) || fail "the instruction box and the text window are not both there"
# A click on the sky at the canvas's top left gives the graphics window the keyboard; then N.
find_menu_bar "$work/game-start.png"
click_at $((menu_x + 20)) $((menu_y + 40))
sleep 0.3
xdotool key --delay 50 n
for _ in $(seq 50); do
    sleep 0.1
    shoot "$work/game-round.png"
    (($(count_colour "$work/game-round.png" "$white") < white_before - 100000)) && break
done
(($(count_colour "$work/game-round.png" "$white") < white_before - 100000)) ||
    fail "N did not start a round: the instruction box is still there (game-round.png)"
echo "PASS a click and N reach the game: a round starts (game-round.png)"
quit_with_ctrl_q "the game"

# Weston places every window itself, at a place of its choosing that may put the text window
# over much of the graphics window; a fresh Weston places the example's windows as it placed
# the game's, with the graphics window's menu bar and canvas in sight.
stop_weston
start_weston x11-backend.so --width=1200 --height=1000 --debug
started=$(date +%s%N)
run_client "$work/example.out" "$example"
wait_for_colour "$work/example-start.png" "rgb(212,208,200)" 200 "the example's window never showed"
echo "PASS the example's windows show on Weston ($(ms_since "$started") ms after its start)"
find_menu_bar "$work/example-start.png"
click_at $((menu_x + 30)) $((menu_y + 19 + 30))
wait_for_colour "$work/example-click.png" "rgb(255,0,0)" 10 "a click drew no red dot in the example"
xdotool type --delay 50 "Weston"
wait_for_colour "$work/example-typed.png" "rgb(0,0,255)" 20 "typing drew no blue text in the example"
echo "PASS a click and typing reach the example (example-typed.png)"
quit_with_ctrl_q "the example"
echo "PASS the game and the example on Wayland (Weston)"
