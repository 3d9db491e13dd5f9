#!/usr/bin/env bash
# Draws the download window's picture, resources/lobby.jpg, from shapes and text of our own:
# a green card table under a night-blue sky, five dice on it and the lobby's name above.
# Needs ImageMagick's convert and the DejaVu fonts (fonts-dejavu-core). Run from anywhere.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/resources/lobby.jpg}
width=430
height=240
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One die: an ivory rounded square with its pips, drawn at 44 x 44 and turned by the caller.
die() { # face file
  local face=$1 file=$2 pips=()
  local l=12 c=22 r=32
  case $face in
    1) pips=("$c,$c") ;;
    2) pips=("$l,$l" "$r,$r") ;;
    3) pips=("$l,$l" "$c,$c" "$r,$r") ;;
    4) pips=("$l,$l" "$r,$l" "$l,$r" "$r,$r") ;;
    5) pips=("$l,$l" "$r,$l" "$c,$c" "$l,$r" "$r,$r") ;;
    6) pips=("$l,$l" "$r,$l" "$l,$c" "$r,$c" "$l,$r" "$r,$r") ;;
  esac
  local draw="fill #FBF6E9 stroke #8C7B5A stroke-width 2 roundrectangle 2,2 41,41 8,8 stroke none fill #B0182C"
  for p in "${pips[@]}"; do
    local x=${p%,*} y=${p#*,}
    draw+=" circle $x,$y $((x + 4)),$y"
  done
  convert -size 44x44 xc:none -draw "$draw" "$file"
}

faces=(5 2 6 3 4)
angles=(-18 9 -6 21 -12)
for i in 0 1 2 3 4; do
  die "${faces[$i]}" "$work/die$i.png"
  convert "$work/die$i.png" -background none -rotate "${angles[$i]}" "$work/die$i.png"
done

convert -size ${width}x${height} gradient:'#0B1E4A-#1F5C8C' \
  -fill '#FFFFFF' -draw "circle 40,28 41,28 circle 97,18 98,18 circle 380,34 381,34 circle 300,14 301,14 circle 180,40 181,40 circle 410,80 411,80 circle 20,90 21,90" \
  -fill '#0E4D2A' -draw "ellipse 215,205 205,70 0,360" \
  -fill '#1C7A41' -draw "ellipse 215,200 195,62 0,360" \
  -fill none -stroke '#D9B75C' -strokewidth 2 -draw "ellipse 215,200 180,54 0,360" \
  "$work/base.png"

convert "$work/base.png" \
  "$work/die0.png" -geometry +88+150 -composite \
  "$work/die1.png" -geometry +145+170 -composite \
  "$work/die2.png" -geometry +198+148 -composite \
  "$work/die3.png" -geometry +250+168 -composite \
  "$work/die4.png" -geometry +305+150 -composite \
  -font DejaVu-Sans-Bold -pointsize 34 -gravity north \
  -fill '#00000080' -annotate +2+40 'The Quon77 Lobby' \
  -fill '#FFD966' -annotate +0+38 'The Quon77 Lobby' \
  -font DejaVu-Sans -pointsize 15 -fill '#E8F1FF' \
  -annotate +0+86 'Meet players  -  Chat  -  Play dice online' \
  -strip -sampling-factor 4:2:0 -quality 88 "$out"
echo "wrote $out ($(stat -c %s "$out") bytes, ${width}x${height})"
