#!/usr/bin/env bash
# Start-up time of the game against a bare Qt window with a menu bar, side by side under a private
# Xvfb server: each program is started N times (alternating, after one warm-up run each) and timed
# from its start to its first window being mapped. Prints both medians and their ratio.
#   tools/startup-time.sh [build] [N]        (defaults: build, 21)
# The game runs in solo mode from a folder of its own, so its settings and tally stay there.
# Needs Xvfb, xdpyinfo, a C compiler with the xcb headers, and pkg-config for Qt6Widgets.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-21}
game_binary=$build/src/zorbinet
[ -x "$game_binary" ] || { echo "build the game first: make build" >&2; exit 1; }

tools=$build/startup-tools
mkdir -p "$tools"
if [ ! -x "$tools/mapwait" ] || [ tools/startup/mapwait.c -nt "$tools/mapwait" ]; then
  cc -O2 -Wall -Wextra -o "$tools/mapwait" tools/startup/mapwait.c -lxcb
fi
if [ ! -x "$tools/bare" ] || [ tools/startup/bare.cpp -nt "$tools/bare" ]; then
  # shellcheck disable=SC2046
  g++ -O2 -fPIC -std=c++20 -o "$tools/bare" tools/startup/bare.cpp $(pkg-config --cflags --libs Qt6Widgets)
fi

# The runtime folder of a desktop session is a tmpfs (/run/user/UID); the game's lock files there
# cost nothing to write, while on a disk each one waits for its sync. /dev/shm stands in for it.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then work=$(mktemp -d -p /dev/shm); else work=$(mktemp -d); fi
display=
for n in $(seq 90 99 | shuf); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=:$n; break; }
done
[ -n "$display" ] || { echo "no free display :90 to :99" >&2; exit 1; }
cleanup() {
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display XDG_RUNTIME_DIR=$work/run DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

mkdir "$work/game"
cp "$game_binary" "$work/game/zorbinet"
# The sound module sits beside the program, as in the build tree.
[ -f "$build/src/zorbinet-sound.so" ] && cp "$build/src/zorbinet-sound.so" "$work/game/"
bare() { "$tools/mapwait" Bare 10000 "$tools/bare"; }
game() { "$tools/mapwait" Zorbinet 10000 "$work/game/zorbinet"; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

bare >/dev/null && game >/dev/null # warm-up: the page cache, fontconfig's cache
: >"$work/bare.txt"
: >"$work/game.txt"
for _ in $(seq "$runs"); do
  bare >>"$work/bare.txt"
  game >>"$work/game.txt"
done
b=$(median <"$work/bare.txt")
g=$(median <"$work/game.txt")
echo "runs: $runs each"
echo "bare Qt window with a menu: median ${b} ms (min $(sort -n "$work/bare.txt" | head -1), max $(sort -n "$work/bare.txt" | tail -1))"
echo "zorbinet:                   median ${g} ms (min $(sort -n "$work/game.txt" | head -1), max $(sort -n "$work/game.txt" | tail -1))"
awk -v b="$b" -v g="$g" 'BEGIN { printf "ratio: %.2f\n", g / b }'
