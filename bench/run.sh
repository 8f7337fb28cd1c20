#!/usr/bin/env bash
# Builds the benchmarks (in the default preset's tree, build/) and runs them,
# then measures the peak resident memory of mirelo-headless over the whole
# course at the game's 1280x720. The figures and their targets are in the
# README's Performance section.
#   bench/run.sh            every benchmark with its repetitions, then memory
#   bench/run.sh --quick    one short pass of each, to prove they run (CI)
#   bench/run.sh --before REV [benchmark options...]
#                           the frame, load and loader benchmarks for the data/
#                           of git revision REV (its game repeating every driver
#                           call, as the game did before it skipped the known
#                           ones) and for the working tree, interleaved, in one run
#   bench/run.sh [benchmark options...]   e.g. --benchmark_filter=Frame
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
tools/deps/install.sh build hardening
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target mirelo_benchmarks mirelo_frame_cost mirelo-headless >/dev/null

if [ "${1:-}" = "--quick" ]; then
    exec build/bench/mirelo_benchmarks --benchmark_min_time=0.001 --benchmark_repetitions=1
fi
if [ "${1:-}" = "--before" ]; then
    [ $# -ge 2 ] || { echo "bench/run.sh: --before needs a git revision" >&2; exit 2; }
    before="$(mktemp -d)"
    trap 'rm -rf "$before"' EXIT
    git archive "$2" data | tar -x -C "$before"
    shift 2
    build/bench/mirelo_benchmarks --before="$before" --benchmark_enable_random_interleaving=true "$@"
    exit 0
fi
build/bench/mirelo_benchmarks "$@"
[ $# -eq 0 ] || exit 0

script=tests/playthrough/course.keys
# The script's last line, then a second more: the course ends on the way into room 3.
frames=$(($(grep -E '^[0-9]' "$script" | tail -1 | cut -d' ' -f1) + 60))
peak_kb=$(/usr/bin/time -f '%M' -o /dev/stdout build/mirelo-headless --frames "$frames" --input "$script" \
              --seed 7 --size 1280x720 2>/dev/null | tail -1)
echo "mirelo-headless, whole course ($frames frames) at 1280x720: peak resident memory $((peak_kb / 1024)) MiB" \
     "(target under 150 MB)"
