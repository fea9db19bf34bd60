#!/usr/bin/env bash
# Builds the libraries the browser build needs for WebAssembly from Debian's own source packages:
# FreeType (glyph rendering). Emscripten's "ports" would download their sources from the internet;
# Debian's source packages come from the same mirror the machine already installs from.
#
# Steps: make sure apt knows a deb-src entry for the configured Debian suites (adding one file,
# /etc/apt/sources.list.d/vorbl-deb-src.sources, derived from the configured deb entries, when
# none exists); fetch and unpack the source package with `apt-get source`; configure it with
# Emscripten's CMake wrapper (no zlib, bzip2, PNG, HarfBuzz or Brotli: the fonts are plain
# TrueType files) and install a static library and its CMake/pkg-config files into
# build/wasm-deps/prefix, where the `browser` preset looks for them.
#
# Needs: emscripten, cmake, dpkg-dev (for apt-get source); root or sudo only to add the deb-src
# entry. Runs again in seconds when the library is already installed.
set -euo pipefail
cd "$(dirname "$0")/.."

deps_dir="$PWD/build/wasm-deps"
prefix="$deps_dir/prefix"
sources_dir="$deps_dir/src"
export NODE_PATH=/usr/share/nodejs  # emcc's JavaScript tools need Debian's node-acorn

as_root=()
if ((EUID != 0)); then
  as_root=(sudo)
fi

if [[ -f "$prefix/lib/libfreetype.a" ]]; then
  echo "FreeType for WebAssembly is already in $prefix."
  exit 0
fi

# deb-src stanzas for the "Types: deb" stanzas of the deb822 lists that name a Debian mirror.
deb822_source_entries() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f "$file" && "$file" != */vorbl-deb-src.sources ]] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[ \t]*deb[ \t]*(\n|$)/ && /debian/ {
           sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
  done
}

# deb-src lines for the "deb" lines of the one-line lists that name a Debian mirror.
one_line_source_entries() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f "$file" && "$file" != */vorbl-deb-src.list ]] || continue
    grep -E '^deb[[:space:]]' "$file" | grep debian | sed -E 's/^deb[[:space:]]/deb-src /' || true
  done
}

has_freetype_source() { [[ -n "$(apt-cache showsrc freetype 2>/dev/null)" ]]; }

# Adds deb-src entries for the configured Debian mirrors, in files of their own, if apt has none.
ensure_deb_src() {
  has_freetype_source && return
  local stanzas lines
  stanzas="$(deb822_source_entries)"
  lines="$(one_line_source_entries)"
  if [[ -z "$stanzas" && -z "$lines" ]]; then
    echo "No Debian deb entry in the apt sources; cannot add a deb-src entry." >&2
    exit 1
  fi
  echo "Adding deb-src entries for the configured Debian mirrors"
  if [[ -n "$stanzas" ]]; then
    printf '%s\n' "$stanzas" | "${as_root[@]}" tee /etc/apt/sources.list.d/vorbl-deb-src.sources >/dev/null
  fi
  if [[ -n "$lines" ]]; then
    printf '%s\n' "$lines" | "${as_root[@]}" tee /etc/apt/sources.list.d/vorbl-deb-src.list >/dev/null
  fi
  "${as_root[@]}" apt-get update -qq
  if ! has_freetype_source; then
    echo "apt still knows no source package freetype after adding deb-src entries." >&2
    exit 1
  fi
}

fetch_freetype_source() {
  local unpacked
  unpacked="$(find "$sources_dir" -maxdepth 1 -type d -name 'freetype-*' 2>/dev/null | head -n 1)"
  if [[ -z "$unpacked" ]]; then
    mkdir -p "$sources_dir"
    (cd "$sources_dir" && apt-get source -qq freetype >/dev/null)
    unpacked="$(find "$sources_dir" -maxdepth 1 -type d -name 'freetype-*' | head -n 1)"
  fi
  if [[ -z "$unpacked" || ! -f "$unpacked/CMakeLists.txt" ]]; then
    echo "apt-get source freetype gave no usable source tree in $sources_dir" >&2
    exit 1
  fi
  printf '%s\n' "$unpacked"
}

build_freetype() {
  local source_tree="$1"
  local build_tree="$deps_dir/freetype-build"
  emcmake cmake -S "$source_tree" -B "$build_tree" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >/dev/null
  cmake --build "$build_tree" -j2 >/dev/null
  cmake --install "$build_tree" >/dev/null
}

ensure_deb_src
freetype_source="$(fetch_freetype_source)"
echo "Building $(basename "$freetype_source") for WebAssembly"
build_freetype "$freetype_source"
echo "FreeType for WebAssembly installed in $prefix."
