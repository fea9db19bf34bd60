#!/usr/bin/env bash
# make-pictures.sh: makes again every picture of the README and the programming guide, on the
# headless host, from a build directory (default build/dev) that has the tools and the tests.
#
#   docs/wingfeast.png                  the game's first picture
#   docs/images/wingfeast-round.png     the game after docs/images/wingfeast-round.scr
#   docs/images/example-*.png           each example's last picture (also its test's reference,
#                                       and the expected picture of its cases in tests/cases)
#
# Run it after a change that alters what the game or an example draws, look at the pictures,
# and commit them with the change.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
tool="$build/tools/wingfeast_screenshot"
[[ -x "$tool" ]] || { echo "no $tool: build the tools first" >&2; exit 1; }

"$tool" docs/wingfeast.png
"$tool" --script docs/images/wingfeast-round.scr docs/images/wingfeast-round.png
# The still picture: the program itself, headless, until a moment of virtual time has passed
# (the limit that ends it makes it exit with 124).
VORBL_HEADLESS=1 VORBL_MAX_MS=100 VORBL_CANVAS_PNG=docs/images/example-static-picture.png \
    "$build/examples/static_picture" || [[ $? -eq 124 ]]
for example in bouncing_ball click_and_type record_and_play; do
    VORBL_UPDATE_REFERENCES=1 "$build/tests/example_${example}_tests" >/dev/null
done
echo "Pictures written; see git status."
