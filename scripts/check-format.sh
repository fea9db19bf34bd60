#!/usr/bin/env bash
# Checks every tracked C and C++ file against .clang-format; prints the files that differ and
# fails if any does. `scripts/check-format.sh --fix` rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [[ "${1:-}" == "--fix" ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run -Werror "${files[@]}" 2>/tmp/vorbl-format.$$; then
  grep -E '^[^ ].*: (error|warning):' /tmp/vorbl-format.$$ | cut -d: -f1 | sort -u |
    sed 's/^/needs formatting: /'
  rm -f /tmp/vorbl-format.$$
  echo "Run scripts/check-format.sh --fix to format them." >&2
  exit 1
fi
rm -f /tmp/vorbl-format.$$
echo "Formatting: ${#files[@]} files match .clang-format."
