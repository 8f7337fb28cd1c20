#!/usr/bin/env bash
# What each field of mirelo-headless's state report says, at moments of the
# course whose state follows from the rules alone (a step of 0.016 s): a
# lever being pulled, the door it opens sliding, the fade-out through that
# door and the fade-in after it. The first Left Control of the script (frame
# F) starts room 0's lever: its timer counts each frame from F on, the pull
# ends when it passes 1 s (in frame F + 62), the door then opens once its own
# timer passes 3 s (frame F + 250). The east door is passed: the autopilot
# that wrote the script saw room 1 reached after frame H, so the fade-out
# began 44 frames (0.7 s) before; the reports before and at H check both.
set -u
BIN_DIR=$1
SOURCE_DIR=$2
WORK=$(mktemp -d /tmp/mirelo-state.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cd "$SOURCE_DIR"
SCRIPT=tests/playthrough/course.keys
failed=0

state() {  # state FRAMES: the report after that many frames
    [ -f "$WORK/$1.json" ] ||
        "$BIN_DIR/mirelo-headless" --frames "$1" --input "$SCRIPT" --size 32x18 --seed 7 --state "$WORK/$1.json" ||
        { echo "FAIL: mirelo-headless failed over $1 frames"; exit 1; }
    cat "$WORK/$1.json"
}
# Every report: its frame count, no pause, and the model's angles from the
# steering (heading -150 x steeringX into 0..360, pitch 150 x steeringY).
expect() {  # expect FRAMES WHAT JQ_EXPR
    local rules="def near(a; b): (a - b) * (a - b) < 1e-8;
        def t(n): n * 0.016;
        def heading(s): (-150 * s) as \$h
            | if \$h < 0 then \$h + 360 * (-\$h / 360 | ceil) elif \$h > 360 then \$h - 360 else \$h end;
        def angle(a; b): (a - b) * (a - b) < 1e-4;
        .frame == $1 and (.paused | not)
        and angle(.swimmer.heading; heading(.swimmer.steeringX)) and angle(.swimmer.pitch; 150 * .swimmer.steeringY)"
    if state "$1" | jq -e --argjson before "${before:-null}" "$rules and ($3)" >/dev/null; then
        echo "ok after $1 frames: $2"
    else
        echo "FAIL after $1 frames: $2: $3"
        jq -c '{frame, paused, room, swimmer, hintTimer, room0: .rooms[0], room1: .rooms[1] | del(.doors)}' "$WORK/$1.json"
        failed=1
    fi
}

F=$(awk '$2 ~ /lctrl/ { print $1; exit }' "$SCRIPT")
[ -n "$F" ] || { echo "FAIL: no Left Control in $SCRIPT"; exit 1; }
lever='.rooms[0].levers[0]'
door='.rooms[0].doors[0]'
expect $((F + 11)) "the lever pulling" \
    ".room == 0 and $lever == {pulled: false, pulling: true, pullTimer: $lever.pullTimer}
     and near($lever.pullTimer; t(11)) and near(.hintTimer; t($F + 11))
     and $door == {open: false, locked: false, lockColour: $door.lockColour, opening: false, openTimer: 0}
     and ([.rooms[].fadingOut] | any | not) and .keysHeld == [false, false, false, false]"
expect $((F + 73)) "the lever pulled, its door sliding open" \
    "($lever | .pulled and (.pulling | not)) and near($lever.pullTimer; t(63)) and near(.hintTimer; t($F + 73))
     and ($door | .opening and (.open | not) and (.locked | not)) and near($door.openTimer; t(10))"
expect $((F + 251)) "the door open" "$door.open and ($door.opening | not) and near($door.openTimer; t(188))"

H=$(sed -n 's/^# frame \([0-9]*\): room 0: the east door$/\1/p' "$SCRIPT")
[ -n "$H" ] || { echo "FAIL: no frame for room 0's east door in $SCRIPT"; exit 1; }
before=$(state $((H - 44)) | jq -c '{swimmer, hintTimer}')
expect $((H - 44)) "the fade-out just armed" \
    ".room == 0 and (.rooms[0] | .fadingOut and (.fadingIn | not) and .transitionTimer == 0)"
expect $((H - 1)) "the fade-out, play frozen but for the fade" \
    ".room == 0 and .rooms[0].fadingOut and near(.rooms[0].transitionTimer; t(43))
     and {swimmer, hintTimer} == \$before"
expect "$H" "room 1 entered: both rooms armed to fade in, depth and speed kept" \
    ".room == 1 and ([.rooms[0, 1] | .fadingIn and (.fadingOut | not) and .transitionTimer == 0] | all)
     and .swimmer.z == \$before.swimmer.z and .swimmer.speed == \$before.swimmer.speed"
expect $((H + 44)) "the fade-in over, its timer kept" \
    ".room == 1 and (.rooms[1] | (.fadingIn or .fadingOut | not) and near(.transitionTimer; t(44)))
     and .rooms[0].transitionTimer == 0"
[ "$failed" -eq 0 ] || exit 1
echo "PASS: the state report's fields through a lever pull, a door opening, a fade-out and a fade-in"
