#!/usr/bin/env bash
# Runs a validator on a file and fails on any error or warning it reports. A missing validator
# skips the test (status 77) with the Debian package to install, so it never passes unseen.
# usage: validate.sh DEBIAN-PACKAGE PROGRAM [ARGUMENT...] FILE
set -uo pipefail
package=$1
shift
if ! command -v "$1" >/dev/null; then
  echo "SKIPPED: $1 is missing; install the Debian package $package (tools/install-deps.sh does)"
  exit 77
fi
output=$("$@" 2>&1)
status=$?
echo "$output"
if [ $status -ne 0 ]; then
  echo "FAILED: $1 exited with status $status"
  exit 1
fi
if grep -Eq '^(E|W): |error: |warning: ' <<<"$output"; then
  echo "FAILED: $1 reported errors or warnings"
  exit 1
fi
echo "PASSED: $1 accepts ${*: -1}"
