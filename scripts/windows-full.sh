#!/usr/bin/env bash
# The whole program for Windows, built and checked here:
#   1. Qt for Windows, cross-built once into ~/.cache/gravelock (scripts/windows-qt.sh);
#   2. the program and its tests, cross-built against it (`windows-full` preset);
#   3. every test under Wine, window tests on the offscreen platform;
#   4. installed into a folder with its DLLs and plugins, started under Wine on
#      a virtual display (first start, then with a game set up), screenshots
#      saved, and the folder zipped for Windows players.
# Usage: scripts/windows-full.sh [SCREENSHOT_FOLDER]   (default build/windows-full/screenshots)
# Long builds run at the lowest priority, so the machine stays usable.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/windows-full
shots=$(realpath -m "${1:-$build/screenshots}")
began=$(date +%s)
stage_start=$began
stage() {
  local now
  now=$(date +%s)
  echo "windows-full: $1 ($((now - stage_start)) s)"
  stage_start=$now
}

# Xvfb for the display, Wine's own fonts (window frames, the default UI font),
# zip for the package; the Qt source comes through apt.
bash scripts/setup.sh xvfb fonts-wine zip dpkg-dev
stage "packages ready"

qt=$(nice -n 19 bash scripts/windows-qt.sh)
stage "Qt for Windows in $qt"

# A fresh clone has no build folder yet.
mkdir -p "$root/build"
cmake --preset windows-full -DGRAVELOCK_QT_MINGW="$qt" >"$root/build/windows-full.configure.log" 2>&1 || {
  tail -40 "$root/build/windows-full.configure.log"
  exit 1
}
nice -n 19 cmake --build --preset windows-full
stage "program and tests built"

# Every test under Wine; skips (a test or a Qt Test function) are listed with
# their reasons, so none passes silently.
log=$build/ctest.log
status=0
echo "windows-full: running every test under Wine (log: $log)"
ctest --preset windows-full --output-log "$log" --verbose >/dev/null || status=$?
echo "windows-full: skipped, with reasons:"
# A skipped test, a Qt Test function's QSKIP, or a GoogleTest case's GTEST_SKIP
# (its reason on the line after).
grep -E '^[0-9]+: (skipped: |SKIP   : )' "$log" | sed 's/^[0-9]*: /  /' || true
grep -A1 -E '^[0-9]+: .*: Skipped$' "$log" | grep -vE 'Skipped$|^--$' | sed 's/^[0-9]*: /  /' || true
echo "windows-full: window tests: $(grep -cE '^[0-9]+: Totals: ' "$log") programs," \
  "$(grep -E '^[0-9]+: Totals: ' "$log" | awk '{p += $3; s += $7} END {print p " functions passed, " s " skipped"}')"
sed -n '/tests passed/,$p' "$log" | grep -vE '^\s*$' | sed 's/^/  /'
if ((status)); then
  grep -E 'Failed|\*\*\*' "$log" | sed 's/^/  /' || true
  echo "windows-full: tests failed; the whole log is $log"
  exit "$status"
fi
stage "tests passed under Wine"

# The installed folder: what a Windows player unpacks.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
folder=$build/Gravelock
rm -rf "$folder"
cmake --install "$build" --prefix "$folder" >/dev/null
find "$folder" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded
stage "installed in $folder ($(du -sh "$folder" | cut -f1))"

# Started as a player would: a fresh Wine prefix and its own display.
export WINEPREFIX=$build/wine-desktop WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=97
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
finish() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap finish EXIT
export DISPLAY=:$display
mkdir -p "$WINEPREFIX"
wineboot --init >/dev/null 2>&1 || true
wineserver -w
stage "Wine prefix ready on display $DISPLAY"

# Waits until the screen shows something other than a plain colour and other
# than the picture $1 (none: anything), and holds still for half a second;
# saves it as $2. Gives up after $3 seconds.
capture_next() {
  local before=$1 out=$2 deadline=$(($(date +%s) + $3)) now=$shots/.now.png
  local unwanted="" last="" sum
  [ -z "$before" ] || unwanted=$(identify -format '%#' "$before")
  while (($(date +%s) < deadline)); do
    if import -display "$DISPLAY" -window root "$now" 2>/dev/null &&
      (($(identify -format '%k' "$now") > 2)); then
      sum=$(identify -format '%#' "$now")
      if [ "$sum" != "$unwanted" ]; then
        if [ "$sum" = "$last" ]; then
          mv "$now" "$out"
          return 0
        fi
        last=$sum
      fi
    fi
    sleep 0.5
  done
  echo "windows-full: nothing new on the screen for $out after $3 s"
  return 1
}
rm -rf "$shots"
mkdir -p "$shots"
exe=$(winepath -w "$folder/bin/gravelock.exe")

# 1. First start: no orvo.ini beside the program, so the player's own file in
#    %LOCALAPPDATA% is made from the shipped template and the wizard follows
#    the splash.
local_app_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
player_ini=$(winepath -u "$local_app_data\\Gravelock\\orvo.ini")
rm -rf "$(dirname "$player_ini")"
wine explorer /desktop=Gravelock,1024x768 "$exe" >"$shots/first-start.log" 2>&1 &
capture_next "" "$shots/splash.png" 90
capture_next "$shots/splash.png" "$shots/first-start.png" 30
[ -f "$player_ini" ] || {
  echo "windows-full: the first start made no $local_app_data\\Gravelock\\orvo.ini"
  exit 1
}
wineserver -k
wineserver -w || true
stage "first start: splash and wizard; settings made in $local_app_data\\Gravelock"

# 2. A player whose game is set up: the main window with maps and an umlaut.
game=$WINEPREFIX/drive_c/Spiele/Half-Life
mkdir -p "$game/valve/maps" "$game/tfc/maps"
touch "$game/hl.exe"
for map in crossfire datacore stalkyard bounce snark_pit undertow; do touch "$game/valve/maps/$map.bsp"; done
for map in 2fort well rock2; do touch "$game/tfc/maps/$map.bsp"; done
ini=$shots/orvo.ini
# Windows-1252 with CRLF, as the program writes it: "Jörg Kühn".
printf '[MISC]\r\nfirstuse=no\r\ntfc=true\r\nuser=J\xf6rg K\xfchn\r\ncompany=Die Schrotflinten\r\n[GAMEDIR]\r\nprogram=C:\\Spiele\\Half-Life\\hl.exe\r\nmaps=C:\\Spiele\\Half-Life\\valve\\maps\r\ntfcmaps=C:\\Spiele\\Half-Life\\tfc\\maps\r\nvalve=C:\\Spiele\\Half-Life\\valve\\\r\n' >"$ini"
wine explorer /desktop=Gravelock,1024x768 "$exe" --settings "$(winepath -w "$ini")" >"$shots/main-window.log" 2>&1 &
capture_next "" "$shots/.splash-again.png" 60
capture_next "$shots/.splash-again.png" "$shots/main-window.png" 30
rm -f "$shots"/.*.png
wineserver -k
wineserver -w || true
stage "main window shown; screenshots in $shots"

zip_file=$build/Gravelock-$version-windows-x64.zip
rm -f "$zip_file"
(cd "$build" && zip -qr9 "$zip_file" Gravelock)
stage "zip for Windows: $zip_file ($(du -h "$zip_file" | cut -f1))"
echo "windows-full: done in $(($(date +%s) - began)) s; screenshots in $shots"
