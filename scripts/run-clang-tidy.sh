#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) on every C++ source of the platform layer, the
# package, the game and the tools, two at a time, against the compile commands of a configured
# build (build/dev by default). Prints the findings and fails if there is any.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
[ -f "$build/compile_commands.json" ] || { echo "configure $build first" >&2; exit 2; }
mapfile -t sources < <(git ls-files 'platform/src/*.cpp' 'package/*.cpp' 'game/*.cpp' 'tools/*.cpp' |
                       grep -v -e '/entry_windows\.cpp$' -e '/script_open_windows\.cpp$' -e '/unattended_run_none\.cpp$' -e 'host_browser')
log=$(mktemp)
trap 'rm -f "$log"' EXIT
printf '%s\n' "${sources[@]}" |
    xargs -P 2 -n 4 clang-tidy -p "$build" --quiet >"$log" 2>/dev/null || true
if grep -E '(warning|error):' "$log" >/dev/null; then
    grep -E -A3 '(warning|error):' "$log"
    echo "clang-tidy: $(grep -cE '(warning|error):' "$log") finding(s) in ${#sources[@]} files" >&2
    exit 1
fi
echo "clang-tidy: no findings in ${#sources[@]} files"
