#!/usr/bin/env bash
# check-debian-package.sh: installs a built wingfeast_*.deb on this machine with apt-get, uses
# what it installed, and removes it again. CI runs it on its fresh machine after `cpack -G DEB`.
#
# Checks: the package installs with its declared dependencies; the installed game shows its two
# windows and quits on Ctrl+Q with exit code 0 (check-installed-game.sh, under Xvfb); the
# installed examples build with their Makefile through pkg-config, and the installed vorbl-check
# passes one of them against its case without a screen; a CMake program finds the
# installed package and runs on it; the desktop entry and icons are in place; removing the
# package removes the game. Needs root (or sudo), xvfb-run and xdotool.
#
# Usage: scripts/check-debian-package.sh wingfeast_<version>_<arch>.deb
set -euo pipefail

deb=${1:?usage: check-debian-package.sh wingfeast_VERSION_ARCH.deb}
[[ -f "$deb" ]] || { echo "no such package: $deb" >&2; exit 1; }
deb=$(readlink -f "$deb")
repo=$(cd "$(dirname "$0")/.." && pwd)
as_root() { if ((EUID == 0)); then "$@"; else sudo "$@"; fi; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "-- $(basename "$deb"): $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Package Version Depends Recommends
DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq "$deb"

echo "-- the installed game"
"$repo/scripts/check-installed-game.sh" "$(command -v wingfeast)"
for file in /usr/share/applications/wingfeast.desktop \
            /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/wingfeast.png \
            /usr/share/doc/wingfeast/docs/programming-guide.md; do
    [[ -f "$file" ]] || { echo "missing after install: $file" >&2; exit 1; }
done

echo "-- the installed examples, built with make through pkg-config"
cp -r /usr/share/doc/wingfeast/examples "$work/examples"
make -C "$work/examples"

echo "-- the installed vorbl-check, on an installed example built through pkg-config"
vorbl-check --channel-tolerance 8 -o "$work/check" "$repo/tests/cases/static_picture" \
    "$work/examples/static_picture"

echo "-- a CMake program on the installed package, run headless"
cmake -S "$repo/tests/install_consumer" -B "$work/consumer" >/dev/null
cmake --build "$work/consumer" -j2
"$work/consumer/vorbl_consumer"

echo "-- removal"
DEBIAN_FRONTEND=noninteractive as_root apt-get remove -y -qq wingfeast
if command -v wingfeast >/dev/null; then echo "wingfeast still installed" >&2; exit 1; fi
echo "PASS: the Debian package installs, works and goes again"
