#!/usr/bin/env bash
# The whole game played through in mirelo-headless from the committed input
# script: at every milestone of the course, the state dump after that many
# frames must show exactly the expected progress, and no GL error is raised.
set -u
BIN_DIR=$1
SOURCE_DIR=$2
SCRIPT="$SOURCE_DIR/tests/playthrough/course.keys"
WORK=$(mktemp -d /tmp/mirelo-playthrough.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cd "$SOURCE_DIR"
command -v jq >/dev/null || { echo "FAIL: jq is not installed (tools/deps/install.sh test)"; exit 1; }

check_milestone() {  # FRAMES EXPR
    local frames=$1 expr=$2 state="$WORK/state-$1.json"
    if ! "$BIN_DIR/mirelo-headless" --frames "$frames" --input "$SCRIPT" --size 32x18 --seed 7 \
            --check-gl --state "$state" 2>"$WORK/err-$frames.txt"; then
        echo "FAIL after $frames frames: mirelo-headless failed: $(cat "$WORK/err-$frames.txt")"
        return 1
    fi
    if ! jq -e "$expr" "$state" >/dev/null; then
        echo "FAIL after $frames frames: the state does not match $expr"
        jq -c '{room, keysHeld, swimmer}' "$state"
        return 1
    fi
    echo "ok after $frames frames: room $(jq .room "$state")"
}
export -f check_milestone
export BIN_DIR SCRIPT WORK

checks=$(grep -c '^# check ' "$SCRIPT")
[ "$checks" -gt 0 ] || { echo "FAIL: no milestones in $SCRIPT"; exit 1; }
grep '^# check ' "$SCRIPT" | sed 's/^# check //' |
    xargs -P "$(nproc)" -I{} bash -c 'line="{}"; check_milestone "${line%% *}" "${line#* }"' >"$WORK/results.txt"
cat "$WORK/results.txt"
passed=$(grep -c '^ok ' "$WORK/results.txt")
[ "$passed" -eq "$checks" ] || { echo "FAIL: $passed of $checks milestones reached"; exit 1; }
echo "PASS: all $checks milestones of the course reached, ending in room 3"
