#!/usr/bin/env bash
# Runs every fuzz target in a build folder for a few seconds on its seed corpus.
set -euo pipefail
build=$1
seconds=${2:-20}
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks inside system libraries (fontconfig under the table window) are not findings.
export LSAN_OPTIONS=suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp
shopt -s nullglob
ran=0
for target in "$build"/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=$(mktemp -d)
  seeds="fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  echo "== $name for ${seconds}s"
  # An input that takes more than 10 s counts as a finding: every input must be bounded in time.
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "$corpus"
  rm -rf "$corpus"
  ran=$((ran + 1))
done
echo "fuzz targets run: $ran"
