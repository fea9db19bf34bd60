#!/usr/bin/env bash
# vorbl_check_record.sh: `vorbl-check --record` on a real X display (run under Xvfb by CTest).
#
# Records a case of the click-and-type example as a user would make it: two clicks and a typed
# word, then Ctrl+Q. The case must hold exactly those events, the picture the window showed and
# the messages; the replay without a screen must have matched; and a check of the example
# against the new case must pass. Needs xdotool; VORBL_CHECK and CLICK_AND_TYPE name the binaries.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "${VORBL_CHECK:-}" ] && [ -x "${CLICK_AND_TYPE:-}" ] || fail "VORBL_CHECK or CLICK_AND_TYPE unset"
command -v xdotool >/dev/null || fail "xdotool is needed"

work=$(mktemp -d)
check_pid=""
cleanup() {
    if [ -n "$check_pid" ] && kill -0 "$check_pid" 2>/dev/null; then kill "$check_pid"; fi
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || fail "no working directory"

"$VORBL_CHECK" --record "$CLICK_AND_TYPE" cases/typed >said 2>&1 &
check_pid=$!
window=$(timeout 10 xdotool search --sync --name '^VORBL Graphics$' | head -n 1)
[ -n "$window" ] || fail "the window \"VORBL Graphics\" did not appear"
sleep 0.5
# Client pixel (x, y) is 19 pixels lower in the window (the menu bar); the origin is (297, 248).
xdotool mousemove --window "$window" 197 167 click 1
sleep 0.3
xdotool mousemove --window "$window" 347 317 click 1
sleep 0.3
xdotool type --delay 50 "ok"
sleep 0.3
xdotool key ctrl+q
for _ in $(seq 50); do kill -0 "$check_pid" 2>/dev/null || break; sleep 0.1; done
wait "$check_pid"
status=$?
check_pid=""
[ "$status" -eq 0 ] || fail "vorbl-check --record ended with $status: $(cat said)"
grep -q "the replay matches" said || fail "no word of the replay: $(cat said)"

expected_script=$'VORBL_MOUSE(-100, 100);\nVORBL_MOUSE(50, -50);\nVORBL_KBD(111);\nVORBL_KBD(107);'
[ "$(cat cases/typed/VORBL.SCR)" = "$expected_script" ] ||
    fail "recorded script: $(cat cases/typed/VORBL.SCR)"
[ -s cases/typed/expected.png ] || fail "no expected picture"
grep -qx "click at (-100, 100)" cases/typed/expected.txt || fail "messages: $(cat cases/typed/expected.txt)"
[ -z "$(ls -A cases/typed | grep -v -e '^VORBL.SCR$' -e '^expected.png$' -e '^expected.txt$')" ] ||
    fail "left over in the case: $(ls -A cases/typed)"

"$VORBL_CHECK" -o out cases "$CLICK_AND_TYPE" >checked 2>&1 || fail "the new case fails: $(cat checked)"
echo "PASS: $(cat said | tail -n 1)"
