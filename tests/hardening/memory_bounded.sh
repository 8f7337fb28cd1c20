#!/usr/bin/env bash
# mirelo-headless's memory must not grow with the number of frames: the peak
# resident size of a long run stays within a margin of a short one's.
#   memory_bounded.sh MIRELO_HEADLESS SOURCE_DIR
set -euo pipefail
headless=$1
source_dir=$2
size=640x360
short_frames=60
long_frames=400
# Unbounded queuing grew by about 0.4 MB a frame at this size.
margin_kb=40000
cd "$source_dir"

peak_kb() {
    /usr/bin/time -f '%M' -o /dev/stdout "$headless" --frames "$1" --input tests/playthrough/course.keys \
        --seed 7 --size "$size" 2>/dev/null | tail -1
}
short=$(peak_kb "$short_frames")
long=$(peak_kb "$long_frames")
echo "peak resident: $short kB after $short_frames frames, $long kB after $long_frames frames at $size"
if [ "$long" -gt $((short + margin_kb)) ]; then
    echo "FAIL: memory grew by $((long - short)) kB over $((long_frames - short_frames)) frames"
    exit 1
fi
echo "PASS"
