#!/usr/bin/env bash
# Instructions per frame, llvmpipe's threads included, counted by callgrind:
# a measure that stays put while other work shares the machine.
#   bench/frame_cost.sh [mirelo_frame_cost options...]
# e.g. bench/frame_cost.sh --scene start --size 1x1
#      bench/frame_cost.sh --scene course --every 250
# Prints the median, mean, 95th percentile and most over the measured frames,
# then each frame's count. Needs the benchmarks built in build/ (bench/run.sh
# builds them), or another build tree's in MIRELO_BUILD.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MIRELO_BUILD:-$root/build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.%p" \
    "$build/bench/mirelo_frame_cost" "$@" 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
# One dump per measured frame, in order; the others hold the start-up, the
# warm-up and the course's updates between drawn frames.
counts=$(for dump in $(ls "$work"/callgrind.*.* | sort -t. -k3 -n); do
             if grep -q '^desc: Trigger: Client Request: one measured frame' "$dump"; then
                 awk '/^summary:/ {print $2}' "$dump"
             fi
         done)
echo "$counts" | sort -n | awk -v args="$*" '{a[NR] = $1; sum += $1}
    END {p95 = int((NR * 95 + 99) / 100);
         printf "%d instructions per frame (median; mean %d, 95th percentile %d, most %d over %d frames) %s\n",
                a[int((NR + 1) / 2)], sum / NR, a[p95], a[NR], NR, args}'
echo "frames: $(echo $counts)"
