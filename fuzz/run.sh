#!/usr/bin/env bash
# Builds the libFuzzer targets (in the "asan" preset's tree: clang, ASan +
# UBSan) and runs each for a bounded time, seeded from data/ and fuzz/corpus/.
# Fails when any target finds a crash, a leak, a timeout or a broken loader
# contract; the input that did it is left in build-asan/artifacts/.
#
#   fuzz/run.sh [SECONDS_PER_TARGET]     (default 30)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
tools/deps/install.sh build fuzz
seconds="${1:-30}"
jobs=$(nproc)
build=build-asan
# Data files past this size only slow every mutation down.
max_seed_bytes=131072

tools/configure.sh asan
cmake --build --preset fuzz -j"$jobs" >/dev/null

# target : seed files from data/ (globs) : dictionary
targets=(
    "load_bmp:data/*.bmp data/*.fnt:"
    "load_bmp_alpha:data/*.fnt data/*.bmp:"
    "load_png:data/*.png:"
    "mesh_json:data/*.json data/meshes/display/*.json:json.dict"
    "mesh_binary::"
    "collider:data/meshes/colliders/*.json:json.dict"
    "input_script::input_script.dict"
    "wav:data/sounds/*.wav:wav.dict"
)

mkdir -p "$build/artifacts" "$build/logs"
for entry in "${targets[@]}"; do
    IFS=: read -r name globs _ <<<"$entry"
    seeds="$build/seeds/$name"
    rm -rf "$seeds"
    mkdir -p "$seeds" "$build/corpus/$name"
    for f in $globs; do
        [ -f "$f" ] && [ "$(stat -c %s "$f")" -le "$max_seed_bytes" ] && cp "$f" "$seeds/"
    done
    if [ -d "fuzz/corpus/$name" ]; then cp fuzz/corpus/"$name"/* "$seeds/"; fi
done

run_one() {
    local name="$1" dict="$2"
    local options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -close_fd_mask=3
                   -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-")
    [ -n "$dict" ] && options+=(-dict="fuzz/$dict")
    if "$build/fuzz/fuzz_$name" "${options[@]}" "$build/corpus/$name" "$build/seeds/$name" \
        >"$build/logs/$name.log" 2>&1; then
        echo "fuzz_$name: clean, $(grep -o 'number_of_executed_units: *[0-9]*' "$build/logs/$name.log" |
                                   grep -o '[0-9]*$') inputs in ${seconds}s"
    else
        echo "fuzz_$name: FAILED (log: $build/logs/$name.log)"
        grep -E 'ERROR|SUMMARY|contract broken|Test unit written' "$build/logs/$name.log" | head -20
        return 1
    fi
}

# Every input that once broke a loader runs first, alone: a crash, a leak or
# an allocation past the memory limit fails the run as it did when found.
for dir in fuzz/regressions/*/; do
    name=$(basename "$dir")
    if ! "$build/fuzz/fuzz_$name" -rss_limit_mb=2048 -timeout=10 "$dir"* >"$build/logs/$name-regressions.log" 2>&1; then
        echo "fuzz_$name: a checked-in regression input fails again (log: $build/logs/$name-regressions.log)"
        grep -E 'ERROR|SUMMARY|contract broken' "$build/logs/$name-regressions.log" | head -20
        exit 1
    fi
    echo "fuzz_$name: $(ls "$dir" | wc -l) regression input(s) pass"
done

# As many targets at a time as there are cores.
failed=0
running=0
for entry in "${targets[@]}"; do
    IFS=: read -r name _ dict <<<"$entry"
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    run_one "$name" "$dict" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit "$failed"
