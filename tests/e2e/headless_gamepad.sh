#!/usr/bin/env bash
# A controller plays like the keys in mirelo-headless: the course's first
# room and its passage into the second (a lever pulled, a door passed),
# ended by a pause, played three ways - with the keys, with the D-pad (A
# swims, X pulls, Start pauses) and with the left stick (the right shoulder
# pulls) - leaves the same state dump.
set -u
BIN_DIR=$1
SOURCE_DIR=$2
WORK=$(mktemp -d /tmp/mirelo-gamepad.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cd "$SOURCE_DIR"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

FRAMES=1000
PAUSE_AT=990

# The course up to PAUSE_AT, then the pause key held for two frames, with
# each name replaced as the awk map says (NAME=NEW,...).
segment() {  # segment MAP PAUSE_NAME
    awk -v map="$1" -v pause="$2" -v until="$PAUSE_AT" '
        BEGIN { n = split(map, pairs, ","); for (i = 1; i <= n; ++i) { split(pairs[i], p, "="); to[p[1]] = p[2] } }
        /^#/ || NF == 0 { next }
        $1 >= until { exit }
        { k = split($2, names, ","); out = ""
          for (i = 1; i <= k; ++i) out = out (i > 1 ? "," : "") (names[i] in to ? to[names[i]] : names[i])
          print $1, out }
        END { print until, pause; print until + 2, "-" }' "$SOURCE_DIR/tests/playthrough/course.keys"
}

segment "" escape >"$WORK/keys.keys"
segment "space=pad_a,lctrl=pad_x,left=pad_left,right=pad_right,up=pad_up,down=pad_down" pad_start >"$WORK/dpad.keys"
segment "space=pad_a,lctrl=pad_rb,left=stick_left,right=stick_right,up=stick_up,down=stick_down" pad_start \
    >"$WORK/stick.keys"
for way in dpad stick; do
    left=$(awk '{print $2}' "$WORK/$way.keys" | tr ',' '\n' | grep -xE 'space|lctrl|left|right|up|down|escape' | sort -u)
    [ -z "$left" ] || fail "key names left in the $way script: $left"
done
for name in pad_a pad_x pad_left pad_up pad_start; do
    grep -q "$name" "$WORK/dpad.keys" || fail "the D-pad script never uses $name"
done
for name in pad_rb stick_left stick_up stick_down; do
    grep -q "$name" "$WORK/stick.keys" || fail "the stick script never uses $name"
done

for way in keys dpad stick; do
    "$BIN_DIR/mirelo-headless" --frames $FRAMES --input "$WORK/$way.keys" --size 32x18 --seed 7 \
        --state "$WORK/$way.json" 2>"$WORK/$way.err" || fail "mirelo-headless with $way: $(cat "$WORK/$way.err")"
done
# The segment must have played: the first lever pulled, the second room
# reached, the swimmer moved, and the game paused at the end.
jq -e '.room == 1 and .rooms[0].levers[0].pulled and .paused and (.swimmer.x != 20 or .swimmer.y != 20)' \
    "$WORK/keys.json" >/dev/null || fail "the keys did not play the segment: $(jq -c '{room, paused, swimmer}' "$WORK/keys.json")"
for way in dpad stick; do
    cmp -s "$WORK/keys.json" "$WORK/$way.json" ||
        fail "with the $way the state differs from the keys': $(diff "$WORK/keys.json" "$WORK/$way.json" | head -n 20)"
done
echo "PASS: the keys, the D-pad and the stick play the first $PAUSE_AT frames of the course to the same state, paused by Escape or Start"
