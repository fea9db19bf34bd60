#!/usr/bin/env bash
# vorbl_check_bad_input.sh: vorbl-check and the package's environment-directed runs, fed what a
# course really hands them: good and differing results, broken cases, programs that crash, never
# start, are not on the package, never end or go on waiting. Each row: the exit status and the
# line expected. Also: one crash does not stop the other programs, and nothing is written outside
# the output folder. Needs VORBL_CHECK, STATIC_PICTURE, BOUNCING_BALL and MISBEHAVING (the
# misbehaving programs' path without its number).
set -u

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# A case made the way a teacher makes one without a screen: the program's own picture.
mkdir -p cases/good cases/differs
: >cases/good/VORBL.SCR
VORBL_HEADLESS=1 VORBL_MAX_MS=100 VORBL_CANVAS_PNG=cases/good/expected.png "$STATIC_PICTURE"
cp cases/good/VORBL.SCR cases/differs/VORBL.SCR
VORBL_HEADLESS=1 VORBL_MAX_MS=500 VORBL_CANVAS_PNG=cases/differs/expected.png "$BOUNCING_BALL"
mkdir -p bad/no_script bad/not_a_script bad/script_is_folder bad/nothing_expected
cp cases/good/expected.png bad/no_script/
cp cases/good/expected.png bad/not_a_script/VORBL.SCR
cp cases/good/expected.png bad/not_a_script/expected.png
mkdir bad/script_is_folder/VORBL.SCR
: >bad/nothing_expected/VORBL.SCR
: >a_file
touch stamp
sleep 1

# row: expected status | expected text in the output | arguments
check() {
    local want=$1 text=$2
    shift 2
    local said status
    said=$("$VORBL_CHECK" "$@" 2>&1)
    status=$?
    [ "$status" -eq "$want" ] || fail "vorbl-check $*: status $status, not $want: $said"
    grep -qF -- "$text" <<<"$said" || fail "vorbl-check $*: no '$text' in: $said"
}
check 0 "PASS  good" -o out/1 cases/good "$STATIC_PICTURE"
# Settings left in the user's shell do not reach the runs.
VORBL_MESSAGES=/nonexistent/m.txt VORBL_MAX_EVENTS=1 check 0 "PASS  good" -o out/1 cases/good \
    "$STATIC_PICTURE"
check 1 "FAIL  differs: picture differs in" -o out/2 cases/differs "$STATIC_PICTURE"
[ -s out/2/differs/difference.png ] && [ -s out/2/differs/actual.png ] || fail "no actual and difference pictures"
check 3 "has no script" -o out/3 bad/no_script "$STATIC_PICTURE"
check 3 "is not a file" -o out/4 bad/script_is_folder "$STATIC_PICTURE"
check 3 "has neither expected.png nor expected.txt" -o out/5 bad/nothing_expected "$STATIC_PICTURE"
check 4 "is not a script (line 1" -o out/6 bad/not_a_script "$STATIC_PICTURE"
check 5 "cannot write in the output folder" -o a_file/out cases/good "$STATIC_PICTURE"
check 6 "crashed (signal 6" -o out/7 cases/good "${MISBEHAVING}1"
check 7 "never started its windows" -o out/8 cases/good "${MISBEHAVING}2"
check 8 "is not built on the VORBL package" -o out/9 cases/good /bin/true
check 9 "went on waiting after its EVENT_QUIT" -o out/10 cases/good "${MISBEHAVING}3"
check 9 "did not end within 1 s" --timeout 1 -o out/11 cases/good "${MISBEHAVING}4"
check 1 "exited with status 3" -o out/12 cases/good "${MISBEHAVING}5"
check 2 "no program" -o out/13 cases/good ./missing_program
check 2 "needs --output" cases/good "$STATIC_PICTURE"
check 2 "holds the cases themselves" -o cases cases "$STATIC_PICTURE"
[ -f cases/good/VORBL.SCR ] || fail "an output folder over the cases removed a script"

# One crash does not stop the other programs; the largest status wins; JUnit names both.
check 6 "PASS  " --junit report.xml -o out/14 cases/good "${MISBEHAVING}1" "$STATIC_PICTURE"
grep -q '<error message="crashed' out/14/report.xml || fail "the JUnit report lacks the crash"
[ "$(grep -c '<testcase' out/14/report.xml)" -eq 2 ] || fail "the JUnit report lacks a case"

# Environment-directed runs on their own: a limit ends the run with 124, bad settings with 126.
VORBL_HEADLESS=1 VORBL_MAX_EVENTS=20 VORBL_RUN_REPORT=limit.report "$BOUNCING_BALL"
status=$?
[ "$status" -eq 124 ] || fail "an event limit ended the run with status $status, not 124"
grep -qx "ended-by events" limit.report && grep -qx "events 20" limit.report ||
    fail "the report of a limited run: $(cat limit.report)"
said=$(VORBL_HEADLESS=1 VORBL_MAX_MS=soon "$BOUNCING_BALL" 2>&1)
status=$?
[ "$status" -eq 126 ] && [ "$(wc -l <<<"$said")" -eq 1 ] || fail "bad setting: status $status: $said"
rm -f limit.report
# Pictures after chosen events (the ball has moved between them), messages on standard output.
mkdir -p out/env
VORBL_HEADLESS=1 VORBL_MAX_EVENTS=5 VORBL_CANVAS_PNG=out/env/ball.png VORBL_CANVAS_PNG_AFTER=2,4 \
    "$BOUNCING_BALL"
[ -s out/env/ball.png ] && [ -s out/env/ball-after-2.png ] && [ -s out/env/ball-after-4.png ] ||
    fail "pictures after events: $(ls out/env)"
cmp -s out/env/ball-after-2.png out/env/ball-after-4.png && fail "the ball did not move"
said=$(VORBL_HEADLESS=1 VORBL_MAX_MS=100 VORBL_MESSAGES=- "$STATIC_PICTURE")
[ "$said" = "Illegal color 99; using RED." ] || fail "messages on standard output: '$said'"

# Nothing was written outside the output folders (and the report named inside one).
outside=$(find . -newer stamp ! -path './out' ! -path './out/*' ! -path './a_file' ! -path '.')
[ -z "$outside" ] || fail "written outside the output folder: $outside"

[ "$failures" -eq 0 ] || exit 1
echo "PASS: every row"
