#!/usr/bin/env bash
# CPU used by an idle zorbinet-host with nine connected, silent tables over a span of seconds.
# usage: bench/idle_host_cpu.sh path/to/zorbinet-host [seconds]
set -euo pipefail
host=$1
seconds=${2:-10}
out=$(mktemp)
"$host" --port 0 --seed 1 > "$out" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -f "$out"' EXIT
for _ in $(seq 50); do
  [ -s "$out" ] && break
  sleep 0.1
done
port=$(awk '{print $4}' "$out")
fds=()
for _ in $(seq 9); do
  exec {fd}<>"/dev/tcp/127.0.0.1/$port"
  fds+=("$fd")
done
sleep 1  # admissions done
echo "host holds $(ls /proc/$pid/fd | wc -l) descriptors; threads: $(ls /proc/$pid/task | wc -l)"
# First field of schedstat: nanoseconds this process has spent on a CPU.
before=$(awk '{print $1}' "/proc/$pid/schedstat")
sleep "$seconds"
after=$(awk '{print $1}' "/proc/$pid/schedstat")
for fd in "${fds[@]}"; do
  exec {fd}>&-
done
awk -v b="$before" -v a="$after" -v s="$seconds" -v n="${#fds[@]}" 'BEGIN {
  printf "idle zorbinet-host, %d silent tables, %d s: %.3f ms CPU (%.4f %%)\n",
         n, s, (a - b) / 1e6, (a - b) / 1e7 / s }'
