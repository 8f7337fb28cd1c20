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
# The same runs log and mix the sound (--sound-log, --audio): the lever, the
# door and the fade are logged on those frames, the mix is 768 sample frames
# a frame, neither silent nor clipped, and the same whatever the run's
# length; a script that mutes and pauses gets silence for just that long.
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
        "$BIN_DIR/mirelo-headless" --frames "$1" --input "$SCRIPT" --size 32x18 --seed 7 --state "$WORK/$1.json" \
            --sound-log "$WORK/$1.log" --audio "$WORK/$1.wav" ||
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
check() {  # check WHAT COMMAND...
    if "${@:2}"; then echo "ok: $1"; else
        echo "FAIL: $1"
        failed=1
    fi
}
# The rules' frames (0-based: the report after N frames shows frame N - 1):
# the ambience from the first, the lever's pull on the first Left Control,
# its door when the pull ends, the fade in the frame the report after H - 44
# frames shows just armed; nothing else but strokes until then, strokes only
# while Space is held.
last=$((H + 44))
check "the sound log gives the lever, the door and the fade on the rules' frames" \
    [ "$(grep -v ' swim$' "$WORK/$last.log" | tr '\n' ';')" = "0 ambience;$F lever;$((F + 62)) door;$((H - 45)) fade;" ]
strokes_without_space=$(awk 'NR == FNR { if ($1 ~ /^[0-9]+$/) { at[n] = $1; keys[n++] = $2 } next }
    $2 == "swim" { k = ""; for (i = 0; i < n && at[i] <= $1; ++i) k = keys[i]; if (k !~ /space/) print }' \
    "$SCRIPT" "$WORK/$last.log")
check "strokes only while Space is held, and some" \
    [ -z "$strokes_without_space" -a "$(grep -c ' swim$' "$WORK/$last.log")" -gt 0 ]

printf '0 -\n40 m\n41 -\n60 m\n61 -\n100 escape\n101 -\n150 escape\n151 -\n' >"$WORK/pause.keys"
"$BIN_DIR/mirelo-headless" --frames 200 --input "$WORK/pause.keys" --size 32x18 --seed 7 --audio "$WORK/pause.wav" ||
    { echo "FAIL: mirelo-headless failed on the pause script"; exit 1; }
"$BIN_DIR/mirelo-headless" --frames "$((F + 11))" --input "$SCRIPT" --size 32x18 --seed 7 --audio "$WORK/again.wav" ||
    { echo "FAIL: mirelo-headless failed"; exit 1; }
check "the same run writes the same bytes" cmp -s "$WORK/$((F + 11)).wav" "$WORK/again.wav"
check "the mix: format and length, the start of any longer run, not silent, not clipped; muted and paused frames silent" \
    python3 - "$WORK" "$((F + 11))" "$last" <<'EOF'
import struct, sys
work, short, long_ = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
FRAME = 768 * 4  # bytes a 0.016 s frame adds: 768 stereo 16-bit sample frames
def samples(name, frames):
    data = open(f"{work}/{name}.wav", "rb").read()
    fmt = struct.unpack("<4sI4s4sIHHIIHH4sI", data[:44])
    want = (b"RIFF", 36 + frames * FRAME, b"WAVE", b"fmt ", 16, 1, 2, 48000, 192000, 4, 16, b"data", frames * FRAME)
    assert fmt == want and len(data) == 44 + frames * FRAME, (name, fmt)
    return data[44:]
def level(data):  # RMS and peak
    values = struct.unpack(f"<{len(data) // 2}h", data)
    return (sum(v * v for v in values) / max(1, len(values))) ** 0.5, max(abs(v) for v in values)
short_mix, long_mix = samples(short, short), samples(long_, long_)
assert long_mix.startswith(short_mix), "a shorter run is not the start of a longer one"
rms, peak = level(long_mix)
print(f"  the mix over {long_} frames: RMS {rms:.0f}, peak {peak}")
assert rms > 100 and peak < 32767, "silent or clipped"
pause = samples("pause", 200)
def frames(a, b): return pause[a * FRAME:b * FRAME]
for a, b in ((0, 40), (61, 100), (151, 200)): assert level(frames(a, b))[0] > 100, f"frames {a}-{b} silent"
for a, b in ((41, 60), (100, 150)): assert level(frames(a, b))[1] == 0, f"frames {a}-{b} not silent"
EOF
[ "$failed" -eq 0 ] || exit 1
echo "PASS: the state report's fields through a lever pull, a door opening, a fade-out and a fade-in; their sounds"
