#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those missing.
# Runs apt-get as root, or through sudo when started by another user. `--browser` adds what the
# browser build and its test need (Emscripten, fonttools, brotli, python3, chromium,
# firefox-esr, npm); `--fuzz` adds clang 14 with its libFuzzer and sanitizer runtimes for the
# fuzz targets; `--ci` adds both, the mingw-w64 cross-compiler that CI uses to build the package
# against the real Windows headers, Wine, which runs those Windows builds (the conformance suite,
# the game, the Windows archives' programs) as the referee, Weston for the Wayland check, and
# clang-format and clang-tidy for the source checks.
set -euo pipefail

packages=(
  g++                 # the C++20 compiler
  make                # the build tool CMake generates for
  cmake               # the build system (3.20 or later)
  pkg-config          # finds SDL2 when its CMake package is missing
  libsdl2-dev         # real windows, keyboard, mouse and screen
  libx11-dev          # window-manager hints and frame extents on X11 desktops
  libfreetype-dev     # glyph rendering for text
  libfontconfig-dev   # choosing fonts by name
  fonts-dejavu-core   # the sans and monospace faces the text uses
  fonts-liberation2   # a face with Arial's widths, so text fits where it was laid out to fit
  libpng-dev          # PNG pictures: the screenshot tool, the icons and the example tests
  libgtest-dev        # GoogleTest, the unit tests
  libbenchmark-dev    # Google Benchmark, the benchmarks in bench/
  xvfb                # a virtual X server for the tests that open real windows
  xauth               # needed by xvfb-run
  xdotool             # real key presses and clicks in those tests
  x11-utils           # xprop and xwininfo: window-manager properties and geometry in those tests
  openbox             # a real window manager for the test of frames, placement and resizing
  imagemagick         # screenshots in those tests
  desktop-file-utils  # checks the game's desktop entry
  dpkg-dev            # dpkg-shlibdeps (cpack -G DEB); apt-get source (the browser build's FreeType)
  file                # used by cpack to find the programs whose libraries dpkg-shlibdeps reads
)
check_packages=(
  clang-format        # scripts/check-format.sh: the sources against .clang-format (Debian's 14)
  clang-tidy          # scripts/run-clang-tidy.sh: the checks in .clang-tidy (Debian's 14)
)
fuzz_packages=(
  clang-14            # the compiler of the `fuzz` preset
  libclang-rt-14-dev  # libFuzzer and the address and undefined-behaviour sanitizer runtimes
  llvm-14             # llvm-symbolizer, for readable stack traces in findings
)
browser_packages=(
  emscripten          # the C++ compiler for WebAssembly (the browser build)
  python3             # scripts/serve-web.py serves the pages locally
  fonttools           # pyftsubset: the page's fonts cut down to the characters the package draws
  brotli              # the pages' files written Brotli-compressed at build time
  gzip                # and gzip-compressed, for browsers without Brotli
  chromium            # the first browser the browser test drives (headless)
  firefox-esr         # the second one (headless, through WebDriver BiDi)
  npm                 # installs puppeteer-core, which drives both browsers in that test
)
windows_packages=(
  mingw-w64           # the Windows cross-compile against the real Windows headers
  wine64              # runs those builds: tests/conformance/, the game, the archives' programs
  unzip               # scripts/check-windows-archives.sh unpacks the Windows archives
)
wayland_packages=(
  weston                     # a Wayland compositor for scripts/check-wayland.sh
  libdecor-0-plugin-1-cairo  # title bars for SDL's windows where the compositor draws none
  libgl1-mesa-dri            # Mesa's software rasteriser: SDL presents through GL on Wayland
)
case "${1:-}" in
  --ci) packages+=("${windows_packages[@]}" "${wayland_packages[@]}" "${check_packages[@]}"
                  "${browser_packages[@]}" "${fuzz_packages[@]}") ;;
  --fuzz) packages+=("${fuzz_packages[@]}") ;;
  --browser) packages+=("${browser_packages[@]}") ;;
esac

installed() {
  # A machine may have npm from another Node.js distribution; the command is what matters.
  if [[ "$1" == npm ]] && command -v npm >/dev/null; then
    return 0
  fi
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for package in "${packages[@]}"; do
  if ! installed "$package"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "All required Debian packages are installed."
  exit 0
fi

as_root=()
if ((EUID != 0)); then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
