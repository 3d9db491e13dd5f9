#!/usr/bin/env bash
# Renders the application icon's PNG sizes for the hicolor theme from our own drawing,
# resources/desktop/io.github.zorbinet.Zorbinet.svg, into resources/desktop/icons/NxN/.
# Needs rsvg-convert (Debian package librsvg2-bin). Run from anywhere; an optional argument
# names another output folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=io.github.zorbinet.Zorbinet
svg=$root/resources/desktop/$name.svg
out=${1:-$root/resources/desktop/icons}
read -r -a sizes < "$root/resources/desktop/icon-sizes"

if ! command -v rsvg-convert >/dev/null; then
  echo "make-icons.sh: rsvg-convert is missing; install the Debian package librsvg2-bin" >&2
  exit 1
fi

for s in "${sizes[@]}"; do
  mkdir -p "$out/${s}x$s"
  rsvg-convert --width "$s" --height "$s" --format png --output "$out/${s}x$s/$name.png" "$svg"
done
echo "wrote ${#sizes[@]} icons to $out"
