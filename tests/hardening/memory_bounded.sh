#!/usr/bin/env bash
# mirelo-headless's memory must not grow with the number of frames. Two runs
# in room 0 at 128x72, idle and swimming in circles (moving, turning,
# colliding, the view changing), are sampled inside the process after frame
# 700 (start-up done, the help gone) and after their last frame by the
# preloaded heap sampler: the bytes allocated and not freed, and the resident
# size, may each grow by at most 256 bytes a frame, so a leak of 1 KB a frame
# fails. Measured without a leak: idle grows by under 2 kB, circling varies
# by up to about 260 kB with the view (about 100 bytes a frame).
#   memory_bounded.sh MIRELO_HEADLESS HEAP_SAMPLER_LIBRARY SOURCE_DIR
set -euo pipefail
headless=$1
sampler=$2
source_dir=$3
size=128x72
first_frame=700
bound_bytes_per_frame=256
work=$(mktemp -d /tmp/mirelo-memory.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$source_dir"
[ -f "$sampler" ] || { echo "FAIL: no heap sampler library at $sampler"; exit 1; }

failed=0
measure() {  # measure NAME FRAMES KEYS
    local name=$1 frames=$2 keys=$3 samples="$work/$1.samples"
    echo "0 $keys" >"$work/$name.keys"
    if ! HEAP_SAMPLE_FRAMES="$first_frame $frames" HEAP_SAMPLE_FILE="$samples" LD_PRELOAD="$sampler" \
            "$headless" --frames "$frames" --input "$work/$name.keys" --seed 7 --size "$size"; then
        echo "FAIL: $name: mirelo-headless failed"
        failed=1
        return
    fi
    local first last
    first=$(grep "^$first_frame " "$samples" 2>/dev/null || true)
    last=$(grep "^$frames " "$samples" 2>/dev/null || true)
    if ! [[ $first =~ ^[0-9]+\ [0-9]+\ [0-9]+$ && $last =~ ^[0-9]+\ [0-9]+\ [0-9]+$ ]]; then
        echo "FAIL: $name: the sampler recorded no heap and resident size after frames $first_frame and $frames" \
             "(it counts mirelo-headless's glFinish, one at the end of each frame):"
        cat "$samples" 2>/dev/null
        failed=1
        return
    fi
    read -r _ heap_first rss_first <<<"$first"
    read -r _ heap_last rss_last <<<"$last"
    local span=$((frames - first_frame))
    local heap_growth=$((heap_last - heap_first)) rss_growth=$(((rss_last - rss_first) * 1024))
    local allowed=$((span * bound_bytes_per_frame))
    echo "$name: from frame $first_frame to $frames the heap grew by $heap_growth bytes" \
         "($((heap_growth / span)) a frame), the resident size by $rss_growth bytes ($((rss_growth / span)) a frame);" \
         "allowed $allowed ($bound_bytes_per_frame a frame)"
    if [ "$heap_growth" -gt "$allowed" ] || [ "$rss_growth" -gt "$allowed" ]; then
        echo "FAIL: $name: memory grows with the number of frames"
        failed=1
    fi
}
measure idle 2200 -
measure circling 3200 space,left
[ "$failed" -eq 0 ] || exit 1
echo "PASS"
