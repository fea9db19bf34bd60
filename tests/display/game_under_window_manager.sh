#!/usr/bin/env bash
# game_under_window_manager.sh: the real game under a real window manager (openbox, started
# here on the X server CTest's xvfb-run made).
#
# Checks that the graphics window's outer frame (content plus the manager's frame extents) ends
# above y 550, where the text window's frame begins, so neither covers the other; that the graphics
# window (no WS_THICKFRAME) keeps its size when asked to resize and the manager offers it no
# maximise; that the text window (WS_OVERLAPPEDWINDOW) can be resized and then shows the drawing
# log's newest line at its new bottom; and that Ctrl+Q ends the game with exit code 0.
# Needs openbox, xdotool, xprop, xwininfo and ImageMagick.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -n "${WINGFEAST:-}" ] && [ -x "$WINGFEAST" ] || fail "WINGFEAST does not name the game binary"
for tool in openbox xdotool xprop xwininfo import convert; do
    command -v "$tool" >/dev/null || fail "$tool is needed"
done

work=$(mktemp -d)
game_pid=""
wm_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
output_dir=${VORBL_TEST_OUTPUT:-$work}
mkdir -p "$output_dir"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

cd "$work" || fail "no working directory"
"$WINGFEAST" &
game_pid=$!
graphics=$(timeout 10 xdotool search --sync --name '^VORBL Graphics$' | head -n 1)
text=$(timeout 10 xdotool search --sync --name '^VORBL Text$' | head -n 1)
[ -n "$graphics" ] && [ -n "$text" ] || fail "the two windows did not appear"

# "left right top bottom" of the manager's frame around a window, once it has said.
extents() {
    local value=""
    for _ in $(seq 50); do
        value=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
        [ -n "$value" ] && break
        sleep 0.1
    done
    echo "$value"
}
# A field of xwininfo ("Absolute upper-left Y", "Height"...).
info() { xwininfo -id "$1" | sed -n "s/^ *$2: *//p"; }

read -r _ _ top bottom <<<"$(extents "$graphics")"
[ -n "${bottom:-}" ] || fail "the window manager gave no frame extents"
sleep 0.5
graphics_bottom=$(($(info "$graphics" "Absolute upper-left Y") + $(info "$graphics" Height) + bottom))
[ "$graphics_bottom" -le 550 ] || fail "the graphics window's frame ends at y $graphics_bottom, over the text window"
text_frame_top=$(($(info "$text" "Absolute upper-left Y") - $(extents "$text" | cut -d' ' -f3)))
[ "$text_frame_top" -ge 550 ] || fail "the text window's frame starts at y $text_frame_top"

# The graphics window cannot be resized or maximised; the text window can be resized.
xdotool windowsize "$graphics" 700 600
sleep 0.5
[ "$(info "$graphics" Width)x$(info "$graphics" Height)" = "595x515" ] \
    || fail "the graphics window was resized to $(info "$graphics" Width)x$(info "$graphics" Height)"
xprop -id "$graphics" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE && fail "the graphics window offers maximise"
xprop -id "$text" _NET_WM_ALLOWED_ACTIONS | grep -q RESIZE || fail "the text window offers no resize"

# Logging on fills the text window with the drawing log; then make the text window taller.
xdotool mousemove --window "$graphics" 300 300 click 1
xdotool key --window "$graphics" ctrl+l
sleep 1
xdotool windowsize "$text" 593 400
sleep 1
[ "$(info "$text" Height)" = 400 ] || fail "the text window did not take the new height"
import -window "$text" "$work/text.png" 2>/dev/null || fail "no screenshot of the text window"
# Dark pixels in the last 13 rows (one line of the fixed font): the newest line sits at the new
# bottom, so the window was laid out and painted again for its new height.
dark=$(convert "$work/text.png" -crop 593x13+0+387 +repage -threshold 50% -negate \
       -format "%[fx:int(mean*w*h+0.5)]" info:)
[ "$dark" -gt 20 ] || { cp "$work/text.png" "$output_dir/"; fail "no text at the bottom of the resized text window"; }

xdotool windowactivate --sync "$graphics" key ctrl+q 2>/dev/null
for _ in $(seq 20); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs two seconds after Ctrl+Q"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS"
