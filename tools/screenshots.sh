#!/usr/bin/env bash
# Makes the pictures in docs/screenshots: the game under a private Xvfb server, driven with
# xdotool, photographed with ImageMagick. Run after `make build`:  tools/screenshots.sh [build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs/screenshots
mkdir -p "$out"
[ -x "$build/src/zorbinet" ] || { echo "build the game first: make build" >&2; exit 1; }

work=$(mktemp -d)
# A display nobody uses: a server already there would take the pictures at its own size.
display=
for n in $(seq 90 99 | shuf); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=:$n; break; }
done
[ -n "$display" ] || { echo "no free display :90 to :99" >&2; exit 1; }
cleanup() {
  [ -n "${game:-}" ] && kill "$game" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display XDG_RUNTIME_DIR=$work/run DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -m 700 "$XDG_RUNTIME_DIR"
sleep 1

# A copy of the program in a folder of its own keeps its settings and tally there.
cp "$build/src/zorbinet" "$work/"
[ -f "$build/src/zorbinet-sound.so" ] && cp "$build/src/zorbinet-sound.so" "$work/"
(cd "$work" && exec ./zorbinet) >/dev/null 2>&1 &
game=$!

window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep "${4:-0.6}"; }
shot() { import -window root -crop "$2" +repage "$out/$1.png"; echo "$out/$1.png"; }

table=$(window '^Zorbinet$')
download=$(window '^Download The Quon77 Lobby$')
sleep 1.5
shot download-window 724x500+278+200
click "$download" 589 130 # "Play Solo Game"

click "$table" 442 340     # the start picture opens the new game dialog
click "$table" 393 298 1.5 # its start button
click "$table" 442 340 1.2 # roll
click "$table" 84 280      # hold the first die
shot table-solo-game 790x520+0+0

xdotool windowsize "$table" 1254 846
sleep 1.5
shot table-large 1260x880+0+0
