#!/usr/bin/env bash
# Builds the benchmarks (in the default preset's tree, build/) and runs them,
# then measures the peak resident memory of mirelo-headless over the whole
# course at the game's 1280x720. The figures and their targets are in the
# README's Performance section.
#   bench/run.sh            every benchmark with its repetitions, then memory
#   bench/run.sh --quick    one short pass of each, to prove they run (CI)
#   bench/run.sh --before REV [benchmark options...]
#                           git revision REV's game built in a tree of its own
#                           (build-before/, with this tree's benchmarks) and the
#                           working tree's, each benchmark run for one then the
#                           other, twice over, in one go
#   bench/run.sh [benchmark options...]   e.g. --benchmark_filter=Frame
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
tools/deps/install.sh build hardening
tools/configure.sh default
cmake --build --preset default -j"$(nproc)" --target mirelo_benchmarks mirelo_frame_cost mirelo-headless >/dev/null

if [ "${1:-}" = "--quick" ]; then
    exec build/bench/mirelo_benchmarks --benchmark_min_time=0.001 --benchmark_repetitions=1
fi
if [ "${1:-}" = "--before" ]; then
    [ $# -ge 2 ] || { echo "bench/run.sh: --before needs a git revision" >&2; exit 2; }
    # REV's sources, with this tree's bench/ (the benchmarks call only what
    # REV's Game already has), built beside build/ and kept for the next run;
    # MIRELO_BUILD=build-before bench/frame_cost.sh counts its frames.
    # Files are replaced only when they changed, so that a second run rebuilds little.
    rev="$(git rev-parse --verify "$2^{commit}")"
    source_dir="$root/build-before/source"
    if [ "$(cat build-before/revision 2>/dev/null)" != "$rev" ]; then
        rm -rf "$source_dir" && mkdir -p "$source_dir"
        git archive "$rev" | tar -x -C "$source_dir"
        echo "$rev" >build-before/revision
    fi
    diff -rq bench "$source_dir/bench" >/dev/null 2>&1 || { rm -rf "$source_dir/bench" && cp -r bench "$source_dir/bench"; }
    cmake -S "$source_dir" -B build-before -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRELO_BUILD_BENCH=ON \
        -DMIRELO_BUILD_TESTS=OFF >/dev/null
    cmake --build build-before -j"$(nproc)" --target mirelo_benchmarks mirelo_frame_cost mirelo-headless >/dev/null
    shift 2
    filter=$(build/bench/mirelo_benchmarks "$@" --benchmark_list_tests | sed 's|/current.*||' | uniq)
    for round in 1 2; do
        for name in $filter; do
            for side in before after; do
                binary=build/bench/mirelo_benchmarks
                [ "$side" = after ] || binary=build-before/bench/mirelo_benchmarks
                echo "== $side ($([ "$side" = after ] && echo "working tree" || echo "$rev")), round $round"
                "$binary" "$@" --benchmark_filter="^$name/current" 2>&1 | grep -E '^BM_|^Load Average|rror' || true
            done
        done
    done
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
