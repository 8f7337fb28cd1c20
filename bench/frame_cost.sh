#!/usr/bin/env bash
# Instructions per frame, llvmpipe's threads included, counted by callgrind:
# a measure that stays put while other work shares the machine.
#   bench/frame_cost.sh [mirelo_frame_cost options...]
# e.g. bench/frame_cost.sh --scene start --size 1x1
# Prints the median over the measured frames, then each frame's count.
# Needs the benchmarks built in build/ (bench/run.sh builds them).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.%p" \
    "$root/build/bench/mirelo_frame_cost" "$@" 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
# Dump 1 is the start-up and warm-up; then one per measured frame, in order.
counts=$(for dump in $(ls "$work"/callgrind.*.* | sort -t. -k3 -n | tail -n +2); do
             awk '/^summary:/ {print $2}' "$dump"
         done)
median=$(echo "$counts" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
echo "$median instructions per frame (median; frames: $(echo $counts)) $*"
