#!/usr/bin/env bash
# game_signals.sh: SIGINT, SIGTERM and SIGHUP end the real game as Ctrl+Q does, with the recording
# written out in full and the exit status of the signal; SIGKILL, which nothing can catch, still
# leaves every key recorded before it. The older script in the folder is replaced, never mixed in.
# Runs under the display the test's wrapper gives (DISPLAY).
set -u
set -m  # job control: a background game gets SIGINT as a foreground one does (not ignored)

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${WINGFEAST:-}" ] && [ -x "$WINGFEAST" ] || fail "WINGFEAST does not name the game binary"
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY"
command -v xdotool >/dev/null || fail "xdotool is needed"

work=$(mktemp -d)
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

older='VORBL_KBD(49);'
keys_typed='VORBL_KBD(110); VORBL_KBD(56); VORBL_KBD(54); VORBL_KBD(52); VORBL_KBD(50); '

# Starts the game in a fresh folder holding an older script, records n86, Ctrl+A, 42.
play_and_record() {
    local folder=$1
    mkdir -p "$folder" && cd "$folder" || fail "no folder $folder"
    echo "$older" >VORBL.SCR
    "$WINGFEAST" 2>err &
    game_pid=$!
    local window
    window=$(timeout 10 xdotool search --sync --pid "$game_pid" --name '^VORBL Graphics$' | head -n 1)
    [ -n "$window" ] || fail "the game's window did not appear"
    xdotool mousemove --window "$window" 300 300
    xdotool key ctrl+r
    sleep 0.3
    xdotool type --delay 60 "n86"
    xdotool key ctrl+a
    sleep 0.3
    xdotool type --delay 60 "42"
    sleep 0.5
}

# The keys in the script, in order, on one line.
keys_in_script() { grep -o 'VORBL_KBD([0-9-]*);' VORBL.SCR | tr '\n' ' '; }

for signal in INT TERM HUP KILL; do
    play_and_record "$work/$signal"
    kill -s "$signal" "$game_pid"
    for _ in $(seq 30); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null && fail "SIG$signal: the game still runs 3 s later"
    wait "$game_pid"
    status=$?
    game_pid=""
    expected=$((128 + $(kill -l "$signal")))
    [ "$status" -eq "$expected" ] || fail "SIG$signal: exit status $status, not $expected"
    [ ! -s err ] || fail "SIG$signal: standard error: $(cat err)"
    [ "$(keys_in_script)" = "$keys_typed" ] || fail "SIG$signal: script: $(cat VORBL.SCR)"
    grep -qx "$older" VORBL.SCR && fail "SIG$signal: the older script's line is still there"
    tail -n 1 VORBL.SCR | grep -Eqx 'VORBL_PERIODIC\([1-9][0-9]*\);' \
        || fail "SIG$signal: the periodic run is not the last line: $(cat VORBL.SCR)"
    [ "$(find . -name 'VORBL.SCR.*' | wc -l)" -eq 0 ] || fail "SIG$signal: a new file was left"
    echo "SIG$signal: status $status, $(wc -l <VORBL.SCR) lines, $(wc -c <VORBL.SCR) bytes"
done
echo "PASS"
