#!/usr/bin/env bash
# The whole designed course (tests/playthrough/course.keys) played in one
# mirelo-headless run with --check-gl: no GL error on any frame, a clean exit
# (under the sanitizer build: no ASan, UBSan or leak report either), and the
# state a second after the script's last line is the end of the game: the
# swimmer in room 3 (behind the gold lock), every key taken and used on its
# lock, every lever pulled. The course replay unit test follows the way
# there, frame by frame. On the way the sound log has the sounds the room
# tables make: four keys, four locks opened, four levers pulled, eight doors
# sliding (one per lock and lever; the far side of room 7's passage opens
# without sliding), nine fades (rooms 1, 2, 4, 5, 6, 7, 4, 2, 3).
#   playthrough.sh MIRELO_HEADLESS SOURCE_DIR WIDTHxHEIGHT
set -euo pipefail
headless=$1
source_dir=$2
size=$3
script="$source_dir/tests/playthrough/course.keys"
work=$(mktemp -d /tmp/mirelo-hardening.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$source_dir"
command -v jq >/dev/null || { echo "FAIL: jq is not installed (tools/deps/install.sh test)"; exit 1; }

last=$(grep -E '^[0-9]' "$script" | tail -1 | cut -d' ' -f1)
[ -n "$last" ] || { echo "FAIL: no key lines in $script"; exit 1; }
frames=$((last + 60))
end='.room == 3 and (.keysHeld | any | not) and ([.rooms[].keyPresent[]] | any | not)
     and ([.rooms[].levers[].pulled] | all) and ([.rooms[].doors[].locked] | any | not)'

status=0
"$headless" --frames "$frames" --input "$script" --seed 7 --size "$size" --check-gl \
    --state "$work/state.json" --sound-log "$work/sounds.log" 2>"$work/stderr.txt" || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: mirelo-headless exited with $status over $frames frames at $size"
    head -50 "$work/stderr.txt"
    exit 1
fi
if [ -s "$work/stderr.txt" ]; then
    echo "FAIL: mirelo-headless reported on standard error:"
    head -50 "$work/stderr.txt"
    exit 1
fi
if ! jq -e "$end" "$work/state.json" >/dev/null; then
    echo "FAIL: after $frames frames the game is not at the course's end: $end"
    jq -c '{frame, room, keysHeld, swimmer}' "$work/state.json"
    exit 1
fi
sounds=$(grep -v -e ' ambience$' -e ' swim$' "$work/sounds.log" | cut -d' ' -f2 | sort | uniq -c |
    awk '{ printf "%s=%s ", $2, $1 }')
if [ "$sounds" != "door=8 fade=9 key=4 lever=4 unlock=4 " ]; then
    echo "FAIL: the course's sounds are not those of the room tables: $sounds"
    exit 1
fi
echo "PASS: $frames frames at $size, no GL error, the course ends in room $(jq .room "$work/state.json")"
