#!/usr/bin/env bash
# Runs every benchmark in a build folder.
set -euo pipefail
build=$1
export QT_QPA_PLATFORM=offscreen
shopt -s nullglob
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
