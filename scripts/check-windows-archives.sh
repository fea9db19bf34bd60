#!/usr/bin/env bash
# check-windows-archives.sh: checks the two Windows archives that `cpack -G ZIP` writes in the
# mingw build directory, as a Windows user would use them, with Wine on a virtual X display.
#
# Usage: scripts/check-windows-archives.sh MINGW_BUILD_DIR WORK_DIR
#
# Unpacks wingfeast-*-windows.zip and vorbl-sdk-*-mingw-w64.zip into a fresh folder whose path
# has spaces and non-ASCII letters; checks that the game has its icon in its resources and that
# it and the programs built below import only Windows' own DLLs (objdump -p); builds the
# click_and_type example against the unpacked SDK with x86_64-w64-mingw32-g++ three ways
# (the SDK's Makefile, its CMakeLists.txt with its toolchain file, and pkg-config); runs it under
# Wine (both windows appear, a click draws its red dot, a typed letter its blue text, Ctrl+Q
# ends it with 0); then plays the unpacked game with tests/conformance/play_wingfeast.sh, once
# from a writable folder and once from a read-only one. Prints how long each program took from
# unpacking to its first window. Needs unzip, mingw-w64, cmake, make, pkg-config, wine64, Xvfb,
# xdotool and ImageMagick. VORBL_WINE_PREFIX names a Wine prefix made before, to use instead of
# making one in WORK_DIR.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

game_zip=$(ls "$build"/wingfeast-*-windows.zip 2>/dev/null | head -n 1)
sdk_zip=$(ls "$build"/vorbl-sdk-*-mingw-w64.zip 2>/dev/null | head -n 1)
[[ -f "$game_zip" && -f "$sdk_zip" ]] || fail "no archives in $build (run cpack -G ZIP there)"
echo "archives: $(basename "$game_zip") $(stat -c %s "$game_zip") bytes," \
     "$(basename "$sdk_zip") $(stat -c %s "$sdk_zip") bytes"

# ---- One virtual display and Wine prefix for every program run here ----------------------------
# Made before unpacking, as a Windows user has Windows before the download: the times measured
# from unpacking are the archives' own (the game's: the unpacking plus its start below).
source "$root/tests/conformance/wine_session.sh"
example_pid=""
finish() {
    [[ -n "$example_pid" ]] && kill "$example_pid" 2>/dev/null
    wine_session_stop
}
trap finish EXIT
wine_session_start "$work"
export VORBL_WINE_PREFIX="$WINEPREFIX"  # the same prefix for the game's runs below

# ---- Unpacking into a path with spaces and non-ASCII letters ---------------------------------
place="$work/Dossier de Zoë/Mes jeux à moi"
rm -rf "$work/Dossier de Zoë"
mkdir -p "$place"
game="$place/Wingfeast"
sdk="$place/VORBL SDK"
unpacked=$(date +%s%N)
unzip -q "$game_zip" -d "$game"
unzip -q "$sdk_zip" -d "$sdk"
echo "both archives unpacked in $(ms_since "$unpacked") ms"
for file in wingfeast.exe README.txt; do
    [[ -f "$game/$file" ]] || fail "the game's archive has no $file"
done
for file in include/vorbl/vorbl.h lib/libvorbl.a lib/cmake/VORBL/VORBLConfig.cmake \
            lib/pkgconfig/vorbl.pc examples/click_and_type.c examples/Makefile \
            examples/CMakeLists.txt examples/mingw-w64.cmake docs/programming-guide.md; do
    [[ -f "$sdk/$file" ]] || fail "the SDK's archive has no $file"
done
echo "PASS both archives unpack into \"$place\""

# ---- Nothing but Windows' own DLLs --------------------------------------------------------------
system_dlls='^(KERNEL32|USER32|GDI32|msvcrt|ADVAPI32|SHELL32|ole32|COMDLG32|api-ms-win-[a-z0-9-]+)\.dll$'
only_system_dlls() {
    local dll
    while read -r dll; do
        [[ "$dll" =~ $system_dlls ]] || fail "$(basename "$1") needs $dll, which Windows does not have"
    done < <(x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print $3 }')
}
only_system_dlls "$game/wingfeast.exe"
# The icon group in the resources: the resource section holds at least the 256-pixel PNG.
resources=$(x86_64-w64-mingw32-objdump -h "$game/wingfeast.exe" | awk '$2 == ".rsrc" { print $3 }')
(( 16#${resources:-0} > 20000 )) || fail "wingfeast.exe has no icon in its resources"
echo "PASS wingfeast.exe imports only system DLLs and carries its icon"

# ---- The example built against the SDK ---------------------------------------------------------
examples="$sdk/examples"
built=$(date +%s%N)
make -s -C "$examples" CC=x86_64-w64-mingw32-gcc CXX=x86_64-w64-mingw32-g++ click_and_type.exe
echo "the example built through the SDK's Makefile in $(ms_since "$built") ms"
cmake -S "$examples" -B "$place/build with cmake" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$examples/mingw-w64.cmake" >/dev/null
cmake --build "$place/build with cmake" --target click_and_type -j2 >/dev/null
export PKG_CONFIG_PATH="$sdk/lib/pkgconfig"
# pkg-config writes the SDK's path with its spaces escaped, as a shell reads them.
eval "x86_64-w64-mingw32-g++ -x c \"$examples/bouncing_ball.c\" -x none \
      $(pkg-config --cflags --libs vorbl) -o \"$place/bouncing_ball.exe\""
for program in "$examples/click_and_type.exe" "$place/build with cmake/click_and_type.exe" \
               "$place/bouncing_ball.exe"; do
    [[ -f "$program" ]] || fail "no $program"
    only_system_dlls "$program"
done
echo "PASS the example builds with the SDK's Makefile, its CMakeLists.txt and pkg-config," \
     "and imports only system DLLs"

# ---- The example under Wine ---------------------------------------------------------------------

count_colour() {  # picture colour: how many pixels have it
    convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format "%[fx:int(mean*w*h)]" info:
}

cd "$examples"
started=$(date +%s%N)
"$wine" ./click_and_type.exe >"$work/example.out" 2>&1 &
example_pid=$!
window=$(timeout 60 xdotool search --sync --name '^VORBL Graphics$' | head -n 1)
[[ -n "$window" ]] || fail "the example's window \"VORBL Graphics\" did not appear"
echo "wine: the example's first window $(ms_since "$started") ms after its start," \
     "$(ms_since "$unpacked") ms after unpacking"
timeout 20 xdotool search --sync --name '^VORBL Text$' >/dev/null ||
    fail "the example's window \"VORBL Text\" did not appear"
echo "PASS the example's two windows appear"

shot="$work/example.png"
waits_for() {  # colour what: waits up to 5 s for pixels of the colour in the graphics window
    for _ in $(seq 50); do
        import -window "$window" "$shot" 2>/dev/null && (($(count_colour "$shot" "$1") > 0)) && return 0
        sleep 0.1
    done
    fail "$2"
}
xdotool mousemove --window "$window" 300 300
xdotool windowfocus "$window" 2>/dev/null || true
sleep 0.2
xdotool click 1
waits_for "rgb(255,0,0)" "a click drew no red dot"
xdotool type --delay 50 "Wine"
waits_for "rgb(0,0,255)" "typing drew no blue text"
echo "PASS a click and typing reach the example"

xdotool key --delay 50 ctrl+q
code=""
for _ in $(seq 100); do
    if ! kill -0 "$example_pid" 2>/dev/null; then
        wait "$example_pid" && code=0 || code=$?
        break
    fi
    sleep 0.05
done
example_pid=""
[[ "$code" == 0 ]] || fail "the example did not end with exit code 0 after Ctrl+Q (${code:-still running})"
echo "PASS Ctrl+Q ends the example with exit code 0"
"$wineserver" -k 2>/dev/null || true

# ---- The game, from the unpacked folder: writable, then read-only ------------------------------
bash "$root/tests/conformance/play_wingfeast.sh" "$game/wingfeast.exe" "$place/play"
bash "$root/tests/conformance/play_wingfeast.sh" --read-only "$game/wingfeast.exe" "$place/play read-only"
echo "PASS the Windows archives"
