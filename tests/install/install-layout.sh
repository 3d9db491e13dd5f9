#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that every file lands where a desktop
# expects it, and nothing else: the two programs, the desktop entry, the icon in every size,
# the metainfo and the manual pages, and the game's sound module. The installed host must start
# and stop.
# usage: install-layout.sh CMAKE BUILD-DIR
set -euo pipefail
cmake=$1
build=$2
id=io.github.zorbinet.Zorbinet
work=$(mktemp -d)
trap 'kill "${host:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix=$work/usr
fail() { echo "FAILED: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install into $prefix"; }

sizes=(16 22 24 32 48 64 128 256 512)
expected=(
  bin/zorbinet
  bin/zorbinet-host
  lib/zorbinet/zorbinet-sound.so
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man1/zorbinet.1.gz
  share/man/man1/zorbinet-host.1.gz
)
for s in "${sizes[@]}"; do
  expected+=("share/icons/hicolor/${s}x$s/apps/$id.png")
done
printf '%s\n' "${expected[@]}" | LC_ALL=C sort >"$work/expected"
(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$work/actual"
diff -u "$work/expected" "$work/actual" || fail "the installed files differ from the layout (- missing, + unexpected)"

for b in zorbinet zorbinet-host; do
  [ -x "$prefix/bin/$b" ] || fail "bin/$b is not executable"
  file -b "$prefix/bin/$b" | grep -q '^ELF' || fail "bin/$b is not a program"
done
file -b "$prefix/lib/zorbinet/zorbinet-sound.so" | grep -q '^ELF.*shared object' ||
  fail "lib/zorbinet/zorbinet-sound.so is not a shared object"
for s in "${sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${s}x$s/apps/$id.png
  file -b "$png" | grep -q "^PNG image data, $s x $s," || fail "$png is not a $s x $s PNG: $(file -b "$png")"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"

desktop=$prefix/share/applications/$id.desktop
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = "$id" ] || fail "Icon= does not name the installed icon $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch $id.desktop"
for page in zorbinet zorbinet-host; do
  gzip -t "$prefix/share/man/man1/$page.1.gz" || fail "$page.1.gz is not gzip"
  title=$(gzip -dc "$prefix/share/man/man1/$page.1.gz" | sed -n 's/^\.TH \([^ ]*\) 1 .*/\1/p')
  [ "$title" = "$(tr 'a-z-' 'A-Z-' <<<"$page" | sed 's/-/\\-/g')" ] || fail "$page.1.gz has the title '$title'"
done

# The installed host, with its build-tree run paths gone, still starts: it names its port and
# ends with status 0 on SIGTERM.
coproc HOST { exec "$prefix/bin/zorbinet-host" --port 0 --bot-speed 5; }
host=$HOST_PID
IFS= read -r -t 20 line <&"${HOST[0]}" || fail "the installed zorbinet-host printed no listening line"
[[ $line =~ ^listening\ on\ port\ [1-9][0-9]*$ ]] || fail "the installed zorbinet-host said '$line'"
kill -TERM "$host"
status=0
wait "$host" || status=$?
host=
[ $status -eq 0 ] || fail "the installed zorbinet-host ended with status $status on SIGTERM"

echo "PASSED: ${#expected[@]} files laid out under $prefix; $line"
