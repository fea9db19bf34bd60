#!/usr/bin/env bash
# play_wingfeast.sh: plays the Windows build of the game under Wine, in a virtual X display.
#
# Usage: play_wingfeast.sh [--read-only] WINGFEAST_EXE WORK_DIR
#
# Checks that "VORBL Graphics" and "VORBL Text" appear; that the instruction screen shows (the
# white box and the dusty-plum sky around it); that N starts a round (the box goes); that a
# keypad digit moves the butterfly: a script VORBL.SCR holds the digit 6 and ten ticks, played
# back with Ctrl+P, and the magenta butterfly must end further right (a script, because a
# virtual display's NumLock is off and would turn the keypad into arrows); and that Ctrl+Q ends
# the game with exit code 0. Prints how long the game took to end after Ctrl+Q. Needs xdotool
# and ImageMagick; without Wine it reports itself skipped (exit 77) unless VORBL_REQUIRE_WINE=1.
#
# --read-only plays in a folder the game cannot write to (a read-only bind mount in a mount
# namespace of its own when run as root, whom permissions do not stop; the folder's write bits
# taken away otherwise): Ctrl+R must then put the package's message into the text window, leave
# VORBL.SCR as it was, and the game must play on as above.
set -uo pipefail

read_only=0
if [[ "${1:-}" == --read-only ]]; then
    read_only=1
    shift
fi
here=$(cd "$(dirname "$0")" && pwd)
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
work=$(cd "$2" && pwd)
# Root needs the mount namespace before anything starts: Wine's server opens the files.
if ((read_only)) && ((EUID == 0)) && [[ -z "${VORBL_PLAY_IN_NAMESPACE:-}" ]]; then
    exec unshare -m env VORBL_PLAY_IN_NAMESPACE=1 bash "$0" --read-only "$exe" "$work"
fi

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[[ -f "$exe" ]] || fail "no game at $exe"
for tool in xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is needed"
done

source "$here/wine_session.sh"
game_pid=""
finish() {
    [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null
    wine_session_stop
    ((read_only)) && ((EUID != 0)) && chmod u+w "$game_dir" 2>/dev/null
    return 0
}
trap finish EXIT
status=0
wine_session_start "$work" || status=$?
((status == 0)) || exit "$status"

plum="153,102,153"
white="255,255,255"
magenta="rgb(255,0,255)"

shoot() { import -window "$window" "$1" 2>/dev/null || fail "no screenshot of the game"; }

pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# "WxH+X+Y" of the pixels of one colour.
bounds_of() { convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format "%@" info:; }

# The logical origin in the image, from the instruction screen's white box: the largest white
# area, logical (-250, 150) to (250, -180). (The sky cannot tell: on Windows the client area is
# smaller than the canvas, so the sky's edges are cut off.)
find_origin() {
    local box x
    box=$(convert "$1" -fill black +opaque white -define connected-components:verbose=true \
          -connected-components 4 null: | awk '/srgb\(255,255,255\)/ { print $2, $4 }' |
          sort -k2 -n -r | head -n 1)
    box=${box%% *}
    [[ -n "$box" ]] || fail "no white box in the picture"
    x=${box#*+}
    x=${x%%+*}
    origin_x=$((x + 250))
    origin_y=$((${box##*+} + 150))
}

expect_logical() {  # image x y colour what
    local got
    got=$(pixel "$1" $((origin_x + $2)) $((origin_y - $3)))
    [[ "$got" == "$4" ]] || { cp "$1" "$work/failed.png"; fail "$5: pixel ($2, $3) is $got, not $4"; }
}

# The middle column of the magenta butterfly.
butterfly_x() {
    local box width x
    box=$(bounds_of "$1" "$magenta")
    width=${box%%x*}
    x=${box#*+}
    x=${x%%+*}
    echo $((x + width / 2))
}

game_dir="$work/game"
rm -rf "$game_dir"
mkdir -p "$game_dir"
cd "$game_dir" || fail "no directory to play in"
script='VORBL_KBD(54);\nVORBL_PERIODIC(10);\n'
printf "$script" >VORBL.SCR
if ((read_only)); then
    if ((EUID == 0)); then
        mount --bind -o ro "$game_dir" "$game_dir" || fail "cannot make $game_dir read-only"
        cd "$game_dir" || fail "no directory to play in"
    else
        chmod a-w "$game_dir"
    fi
    touch "$game_dir/written" 2>/dev/null && fail "$game_dir is still writable"
fi

started=$(date +%s%N)
"$wine" "$exe" >"$work/game.out" 2>&1 &
game_pid=$!
window=$(timeout 60 xdotool search --sync --name '^VORBL Graphics$' | head -n 1)
[[ -n "$window" ]] || fail "the window \"VORBL Graphics\" did not appear"
text_window=$(timeout 20 xdotool search --sync --name '^VORBL Text$' | head -n 1)
[[ -n "$text_window" ]] || fail "the window \"VORBL Text\" did not appear"
echo "PASS both windows appear ($(wine_session_elapsed_ms "$started") ms after the start)"

# The first frame is up when the sky is there; the box is drawn in the same frame.
for _ in $(seq 100); do
    shoot "$work/instructions.png"
    [[ "$(bounds_of "$work/instructions.png" "rgb($plum)")" != 0x0+* ]] && break
    sleep 0.1
done
find_origin "$work/instructions.png"
expect_logical "$work/instructions.png" -249 149 "$white" "white box, top-left corner"
expect_logical "$work/instructions.png" 249 -179 "$white" "white box, bottom-right corner"
expect_logical "$work/instructions.png" -251 140 "$plum" "sky left of the box"
expect_logical "$work/instructions.png" 251 149 "$plum" "sky right of the box"
expect_logical "$work/instructions.png" -200 151 "$plum" "sky above the box"
echo "PASS the instruction screen shows"


xdotool mousemove --window "$window" 300 300
xdotool windowfocus "$window" 2>/dev/null
if ((read_only)); then
    # Recording opens VORBL.SCR at its first event: N is that event here, and cannot be written.
    import -window "$text_window" "$work/text-before.png" 2>/dev/null || fail "no text window picture"
    xdotool key --delay 50 ctrl+r
fi
xdotool key --delay 50 n
for _ in $(seq 50); do
    sleep 0.1
    shoot "$work/round.png"
    [[ "$(pixel "$work/round.png" $((origin_x + 230)) $((origin_y - 130)))" != "$white" ]] && break
done
expect_logical "$work/round.png" -200 151 "$plum" "sky in the round"
[[ "$(pixel "$work/round.png" $((origin_x + 230)) $((origin_y - 130)))" != "$white" ]] ||
    fail "N did not start a round: the white box is still there"
echo "PASS N starts a round"

if ((read_only)); then
    # Each refused line adds a message at the text window's bottom row, which a 768-pixel screen
    # cuts off; a second key (5, stop) pushes the first message up into sight.
    xdotool key --delay 50 5
    changed=0
    for _ in $(seq 50); do
        import -window "$text_window" "$work/text-after.png" 2>/dev/null &&
            [[ "$(compare -metric AE "$work/text-before.png" "$work/text-after.png" null: 2>&1)" != 0 ]] &&
            { changed=1; break; }
        sleep 0.1
    done
    ((changed)) || fail "recording in a read-only folder put nothing into the text window"
    [[ "$(cat VORBL.SCR)" == "$(printf "$script")" ]] || fail "VORBL.SCR was changed"
    xdotool key --delay 50 ctrl+r
    echo "PASS recording in a read-only folder is refused in the text window (text-after.png)"
fi

before=$(butterfly_x "$work/round.png")
xdotool key --delay 50 ctrl+p
after=$before
for _ in $(seq 50); do
    sleep 0.1
    shoot "$work/moved.png"
    after=$(butterfly_x "$work/moved.png")
    ((after > before + 20)) && break
done
((after > before + 20)) || fail "the butterfly did not move right: column $before, then $after"
echo "PASS the keypad digit 6 from VORBL.SCR moves the butterfly right ($before -> $after)"

started=$(date +%s%N)
xdotool key --delay 50 ctrl+q
code=""
for _ in $(seq 100); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
        wait "$game_pid"
        code=$?
        break
    fi
    sleep 0.05
done
[[ -n "$code" ]] || fail "the game still runs 5 s after Ctrl+Q"
game_pid=""
echo "wine: the game ended $(wine_session_elapsed_ms "$started") ms after Ctrl+Q"
[[ "$code" == 0 ]] || fail "exit code $code"
echo "PASS Ctrl+Q ends the game with exit code 0"
