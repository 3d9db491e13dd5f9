#!/usr/bin/env bash
# An install into a prefix that cannot be written stops before the first copy, with a message
# that says so: the prefix's folders are the same afterwards, file for file.
# usage: install-refuses.sh CMAKE BUILD-DIR
set -euo pipefail
cmake=$1
build=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 0755 "$work"
fail() { echo "FAILED: $*"; exit 1; }

# Root may write anywhere, so as root the install runs as the user nobody.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  if ! "${as_user[@]}" test -r "$build/cmake_install.cmake"; then
    echo "SKIPPED: running as root, and the user nobody cannot read $build to install as someone else"
    exit 77
  fi
fi

# case name | prefix | how the case is set up
mkdir -p "$work/locked" "$work/partly/share" "$work/partly/bin"
chmod 0777 "$work/partly" "$work/partly/bin"
chmod 0555 "$work/locked" "$work/partly/share"
: >"$work/plainfile"
cases=(
  "locked parent folder|$work/locked/usr"
  "writable bin/ but locked share/|$work/partly"
  "a file in the way|$work/plainfile/usr"
)

snapshot() { find "$work" -printf '%p %m %s %T@\n' | LC_ALL=C sort; }
for c in "${cases[@]}"; do
  name=${c%%|*}
  prefix=${c#*|}
  before=$(snapshot)
  status=0
  output=$("${as_user[@]}" "$cmake" --install "$build" --prefix "$prefix" 2>&1) || status=$?
  output=$(tr -s ' \n' '  ' <<<"$output")  # CMake wraps its error messages
  [ $status -ne 0 ] || fail "$name: the install into $prefix succeeded"
  grep -q "Cannot install Zorbinet into '$prefix'" <<<"$output" || { echo "$output"; fail "$name: no clear message"; }
  grep -q "Nothing was installed" <<<"$output" || { echo "$output"; fail "$name: the message does not say nothing was installed"; }
  [ "$(snapshot)" = "$before" ] || fail "$name: the install changed files under $work"
  echo "refused ($name): $(grep -o 'Cannot install.*installed\.' <<<"$output")"
done
echo "PASSED: ${#cases[@]} unwritable prefixes refused, nothing changed"
