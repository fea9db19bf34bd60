#!/usr/bin/env bash
# game_instruction_screen.sh: the real game in a real X window (run under Xvfb by CTest).
#
# Starts the binary given in $WINGFEAST, waits for "VORBL Graphics", checks in a screenshot the
# instruction screen's white box and the dusty-plum sky around it, types N and a few keypad
# digits and checks that the picture changes to the night scene, then ends the game with
# Ctrl+Q and expects it gone within a second with exit code 0.
# Needs xdotool and ImageMagick (import, convert). Without a window manager the window shows its
# content: the 19-pixel menu bar over the 595 x 496 client area, whose centre is the logical
# origin. After a few seconds of flying up and down through the wrap bounds, no row or column at
# the client area's edges may be left white: every visible pixel is repainted each frame.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -n "${WINGFEAST:-}" ] && [ -x "$WINGFEAST" ] || fail "WINGFEAST does not name the game binary"
command -v xdotool >/dev/null || fail "xdotool is needed"
command -v import >/dev/null || fail "ImageMagick's import is needed"

work=$(mktemp -d)
game_pid=""
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then kill "$game_pid"; fi
    rm -rf "$work"
}
trap cleanup EXIT
output_dir=${VORBL_TEST_OUTPUT:-$work}
mkdir -p "$output_dir"

cd "$work" || fail "no working directory"
"$WINGFEAST" &
game_pid=$!

window=$(timeout 10 xdotool search --sync --name '^VORBL Graphics$' | head -n 1)
[ -n "$window" ] || fail "the window \"VORBL Graphics\" did not appear"

plum="153,102,153"

# The window's picture as an image file.
shoot() { import -window "$window" "$1" 2>/dev/null || fail "no screenshot"; }

# "r,g,b" of image pixel (x, y).
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Image position of the logical origin: the centre of the client area below the menu bar.
bar=19
origin_x=297
origin_y=$((bar + 248))

# Number of pure white pixels in the image's rectangle WxH+X+Y.
white_pixels() {
    convert "$1" -crop "$2" +repage -fill black +opaque white -fill white -opaque white \
        -format "%[fx:int(mean*w*h+0.5)]" info:
}

# The pixel under logical point (x, y).
logical() { pixel "$1" $((origin_x + $2)) $((origin_y - $3)); }

expect_logical() {
    local got
    got=$(logical "$1" "$2" "$3")
    [ "$got" = "$4" ] || { cp "$1" "$output_dir/" 2>/dev/null; fail "$5: pixel ($2, $3) is $got, not $4"; }
}

# Wait until the first frame is up: the start-up draws the scene, then the box.
for _ in $(seq 50); do
    shoot "$work/instructions.png"
    [ "$(convert "$work/instructions.png" -fill black +opaque "rgb($plum)" -format "%[fx:mean>0]" info:)" = 1 ] && break
    sleep 0.1
done
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')
[ "$geometry" = "595x515" ] || fail "the window's content is $geometry, not 595x515 (menu bar and client)"

expect_logical "$work/instructions.png" -249 149 "255,255,255" "white box, top-left corner"
expect_logical "$work/instructions.png" 249 -179 "255,255,255" "white box, bottom-right corner"
expect_logical "$work/instructions.png" 230 130 "255,255,255" "white box, inside"
expect_logical "$work/instructions.png" -251 140 "$plum" "sky left of the box"
expect_logical "$work/instructions.png" 251 149 "$plum" "sky right of the box"
expect_logical "$work/instructions.png" -200 151 "$plum" "sky above the box"

# Type into the game: the pointer over the window gives it the keyboard without a window manager.
xdotool mousemove --window "$window" 300 300
xdotool type --delay 50 "n"
xdotool type --delay 80 "6698"
sleep 0.5
shoot "$work/round.png"
[ "$(compare -metric AE "$work/instructions.png" "$work/round.png" null: 2>&1)" != 0 ] \
    || fail "the picture did not change after N and the digits"
got=$(logical "$work/round.png" 230 130)
[ "$got" != "255,255,255" ] || { cp "$work/round.png" "$output_dir/"; fail "the white box is still there in a round"; }

# Fly up through the top bound and down through the bottom one for a few seconds: the scene is
# drawn over every visible row and column, so none of the client area's edges keeps a white band.
xdotool key --delay 40 KP_8
sleep 2.5
xdotool key --delay 40 KP_2
sleep 2.5
shoot "$work/flown.png"
for edge in 595x1+0+$bar 595x1+0+$((bar + 495)) 1x496+0+$bar 1x496+594+$bar; do
    count=$(white_pixels "$work/flown.png" "$edge")
    [ "$count" = 0 ] || { cp "$work/flown.png" "$output_dir/"; fail "$count white pixels on the client edge $edge"; }
done

# Ctrl+Q ends the game within a second.
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
echo "PASS"
