# Helpers for the end-to-end tests: a private Xvfb, window lookup, screenshots,
# held keys, and the picture checks the Linux and Windows games share.
# Source this file; it sets DISPLAY and cleans up on exit.
#
# Every measurement that is compared goes through check, which fails the test
# when a value is not a number: a tool that failed or printed an error must
# never be compared as though it had measured something. Helpers that print a
# value run in $(...), where fail only ends the subshell, so their callers add
# "|| exit 1".

set -o pipefail
E2E_TMP=$(mktemp -d /tmp/mirelo-e2e.XXXXXX)
XVFB_PID=""
GAME_PID=""

e2e_cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A missing tool fails the test by name; it must not pass as a skipped check.
require_tools() {  # require_tools TOOL...
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed (tools/deps/install.sh test)"
    done
}
require_tools Xvfb xdotool xwininfo import convert compare identify awk

# Fails the test unless every argument is a plain decimal number.
require_numbers() {  # require_numbers VALUE...
    local value
    for value in "$@"; do
        [[ $value =~ ^-?[0-9]+(\.[0-9]+)?([eE][-+]?[0-9]+)?$ ]] || fail "expected a number, got '$value'"
    done
}

# Succeeds when the awk expression over the numbers a and b holds; fails the
# test when either is not a number or awk cannot evaluate the expression.
check() {  # check "a > 3 * b" A B
    require_numbers "$2" "$3"
    local status=0
    awk -v a="$2" -v b="$3" "BEGIN { exit !($1) }" || status=$?
    [ "$status" -le 1 ] || fail "awk could not evaluate '$1'"
    return "$status"
}

# Starts Xvfb on a display number it picks itself. -noreset: by default the
# server resets whenever its last client leaves, and a client connecting
# during the reset is turned away; SDL then quietly falls back to a driver
# without a window, and the game runs where no test can see it.
start_xvfb() {
    local fdfile="$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$fdfile" 2>"$E2E_TMP/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    [ -s "$fdfile" ] || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    export DISPLAY=":$(head -n1 "$fdfile")"
}

# Prints the id of the first visible window with this exact title. Every
# visible window is listed and asked its name: xdotool's search by name does
# not see titles stored as UTF-8 only, as SDL's X11 message box stores its own.
wait_for_window() {  # wait_for_window TITLE [SECONDS]
    local title=$1 deadline=$((SECONDS + ${2:-20})) candidate
    while [ $SECONDS -lt $deadline ]; do
        for candidate in $(xdotool search --onlyvisible --classname '.*' 2>/dev/null); do
            if [ "$(xdotool getwindowname "$candidate" 2>/dev/null)" = "$title" ]; then
                echo "$candidate"
                return 0
            fi
        done
        sleep 0.1
    done
    fail "no window titled '$title' appeared: $(cat "$E2E_TMP"/*.out 2>/dev/null)"
}

# Presses a key in a dialog the way a player does: focus and pointer on it,
# then a real key press (XTest). SDL's X11 message box ignores key events sent
# to it directly, which is what xdotool's --window does.
press_in_dialog() {  # press_in_dialog WINDOW KEY
    xdotool windowfocus --sync "$1" || fail "cannot focus window $1"
    xdotool mousemove --window "$1" 5 5 || fail "cannot move the pointer onto window $1"
    xdotool key "$2" || fail "xdotool could not press $2"
}

# Client-area size of a window as WIDTHxHEIGHT.
window_size() {
    local size
    size=$(xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}') ||
        fail "xwininfo cannot read window $1"
    [[ $size =~ ^[0-9]+x[0-9]+$ ]] || fail "xwininfo printed no size for window $1: '$size'"
    echo "$size"
}

# PPM rather than PNG: compressing a 1280x720 PNG takes over a second while
# the game keeps both cores busy, too slow to poll the window with.
screenshot() {  # screenshot WINDOW FILE.ppm
    import -window "$1" "$2" 2>"$E2E_TMP/import.log" || fail "screenshot of window $1 failed: $(cat "$E2E_TMP/import.log")"
}

hold_key() {  # hold_key WINDOW KEY SECONDS
    xdotool keydown --window "$1" "$2" || fail "xdotool could not press $2"
    sleep "$3"
    xdotool keyup --window "$1" "$2" || fail "xdotool could not release $2"
}

# Waits for a child process to end and sets EXIT_CODE (fails after a timeout).
# Not for use inside $(...): only this shell can wait for its own children.
wait_exit() {  # wait_exit PID [SECONDS]
    local pid=$1 deadline=$((SECONDS + ${2:-20}))
    while [ $SECONDS -lt $deadline ] && kill -0 "$pid" 2>/dev/null; do
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "process $pid did not exit"
    wait "$pid"
    EXIT_CODE=$?
}

# Prints "MEAN DEVIATION" of an image's grey levels, each 0 to 1.
grey_statistics() {
    local values
    values=$(convert "$1" -colorspace Gray -format "%[fx:mean] %[fx:standard_deviation]" info:) ||
        fail "cannot measure $1"
    require_numbers $values
    echo "$values"
}

# A drawn frame: neither black nor white nor one flat colour, which is what a
# window shows before its first frame or when the game draws nothing.
is_drawn() {  # is_drawn IMAGE
    local values
    values=$(grey_statistics "$1") || exit 1
    check "a > 0.05 && a < 0.95 && b > 0.03" $values
}

# Root-mean-square difference of two pictures, 0 (same) to 1, after the same
# ImageMagick operators (a crop, a scale) are applied to each. Pictures of
# different sizes are an error, not a difference.
image_difference() {  # image_difference A B [OPERATOR...]
    local a=$1 b=$2 output status=0
    shift 2
    convert "$a" -alpha off "$@" "$E2E_TMP/difference-a.ppm" || fail "convert cannot read $a"
    convert "$b" -alpha off "$@" "$E2E_TMP/difference-b.ppm" || fail "convert cannot read $b"
    local size_a size_b
    size_a=$(identify -format "%wx%h" "$E2E_TMP/difference-a.ppm") || fail "identify failed on $a"
    size_b=$(identify -format "%wx%h" "$E2E_TMP/difference-b.ppm") || fail "identify failed on $b"
    [ "$size_a" = "$size_b" ] || fail "cannot compare $a ($size_a) with $b ($size_b)"
    # compare exits with 0 for the same pictures, 1 for different ones, 2 when it cannot compare.
    output=$(compare -metric RMSE "$E2E_TMP/difference-a.ppm" "$E2E_TMP/difference-b.ppm" null: 2>&1) || status=$?
    [ "$status" -le 1 ] || fail "compare failed on $a and $b: $output"
    [[ $output =~ ^[0-9.eE+-]+\ \(([0-9.eE+-]+)\)$ ]] || fail "compare printed no difference for $a and $b: '$output'"
    local normalised=${BASH_REMATCH[1]}
    require_numbers "$normalised"
    echo "$normalised"
}

# --- the start frame and the controls help -----------------------------------

# Where the controls help sits in the 1280x720 frame for the first ten seconds.
HELP_PANEL=440x110+475+580
# Compared at this size, the seaweed the real game places at random (by the
# clock) weighs little against the room; a flat fill of the frame's mean
# colour differs by about 0.10 and the game's own frames by about 0.04.
START_FRAME_SCALE=160x90!
START_FRAME_LIMIT=0.07
# The help panel against the same place without it: about 0.27; the game's
# own frames against mirelo-headless's: about 0.03.
HELP_PANEL_LIMIT=0.12

# Succeeds when IMAGE shows the controls help where EXPECTED has it. Sets
# HELP_DIFFERENCE.
help_shown() {  # help_shown IMAGE EXPECTED
    HELP_DIFFERENCE=$(image_difference "$1" "$2" -crop "$HELP_PANEL" +repage) || exit 1
    check "a < $HELP_PANEL_LIMIT" "$HELP_DIFFERENCE" 0
}

# Succeeds when IMAGE shows the room as EXPECTED does, seen from the same
# place. Sets ROOM_DIFFERENCE.
room_shown() {  # room_shown IMAGE EXPECTED
    ROOM_DIFFERENCE=$(image_difference "$1" "$2" -scale "$START_FRAME_SCALE") || exit 1
    check "a < $START_FRAME_LIMIT" "$ROOM_DIFFERENCE" 0
}

# Succeeds when IMAGE shows the start frame as EXPECTED does: the room and
# the controls help. Sets START_FRAME_MEASURE.
start_frame_matches() {  # start_frame_matches IMAGE EXPECTED
    local room=0 help=0
    room_shown "$1" "$2" || room=$?
    help_shown "$1" "$2" || help=$?
    START_FRAME_MEASURE="difference $ROOM_DIFFERENCE overall at $START_FRAME_SCALE, $HELP_DIFFERENCE in the help panel"
    [ "$room" -eq 0 ] && [ "$help" -eq 0 ]
}

# The references, made by mirelo-headless before the game starts, so that the
# help timer of the game under test is not running meanwhile: the expected
# start frame, and two pictures the check must refuse, each by the part of
# it that is there to refuse it - a flat fill of the expected frame's mean
# colour (the room comparison), and the expected frame with the help panel
# painted over from a frame after the help has gone, 12 frames of 1 s (the
# help comparison). Refusing them on every run keeps either limit from
# drifting until it accepts anything.
prepare_start_frame() {  # prepare_start_frame MIRELO_HEADLESS
    local headless=$1 size=1280x720
    "$headless" --seed 7 --size "$size" --screenshot "$E2E_TMP/expected.png" ||
        fail "mirelo-headless could not draw the start frame"
    "$headless" --seed 7 --size "$size" --frames 12 --dt 1 --screenshot "$E2E_TMP/help-gone.png" ||
        fail "mirelo-headless could not draw a frame after the help"
    convert "$E2E_TMP/expected.png" -alpha off "$E2E_TMP/expected.ppm" || fail "cannot convert the start frame"
    convert "$E2E_TMP/expected.ppm" -scale 1x1! -scale "$size!" "$E2E_TMP/flat.ppm" || fail "cannot make the flat fill"
    convert "$E2E_TMP/expected.ppm" \( "$E2E_TMP/help-gone.png" -alpha off -crop "$HELP_PANEL" +repage \) \
        -geometry "+${HELP_PANEL#*+}" -composite "$E2E_TMP/help-painted-over.ppm" ||
        fail "cannot paint over the help panel"
    start_frame_matches "$E2E_TMP/expected.ppm" "$E2E_TMP/expected.ppm" ||
        fail "the start-frame check refuses the expected frame itself ($START_FRAME_MEASURE)"
    room_shown "$E2E_TMP/flat.ppm" "$E2E_TMP/expected.ppm" &&
        fail "the room comparison accepts a flat fill of the start frame's mean colour (difference $ROOM_DIFFERENCE)"
    echo "refused, as it must be: a flat fill of the start frame's mean colour (difference $ROOM_DIFFERENCE overall)"
    help_shown "$E2E_TMP/help-painted-over.ppm" "$E2E_TMP/expected.ppm" &&
        fail "the help comparison accepts the start frame with the help painted over (difference $HELP_DIFFERENCE)"
    echo "refused, as it must be: the start frame without the help (difference $HELP_DIFFERENCE in the help panel)"
}

# Polls the window until it shows a drawn frame; fails at the deadline.
wait_for_drawn_frame() {  # wait_for_drawn_frame WINDOW [SECONDS]
    local deadline=$((SECONDS + ${2:-30})) shot="$E2E_TMP/drawn.ppm"
    until screenshot "$1" "$shot" && is_drawn "$shot"; do
        [ $SECONDS -lt $deadline ] || fail "the window shows no drawn frame: grey mean and deviation $(grey_statistics "$shot")"
        sleep 0.2
    done
}

# Polls the window until it shows the start frame, from the first drawn frame
# on; fails at the deadline. prepare_start_frame comes first.
check_start_frame() {  # check_start_frame WINDOW [SECONDS]
    local started=$SECONDS deadline=$((SECONDS + ${2:-30})) shot="$E2E_TMP/start.ppm"
    wait_for_drawn_frame "$1" "${2:-30}"
    echo "first drawn frame after $((SECONDS - started)) s"
    until screenshot "$1" "$shot" && start_frame_matches "$shot" "$E2E_TMP/expected.ppm"; do
        [ $SECONDS -lt $deadline ] || fail "the window's frame is not the start frame ($START_FRAME_MEASURE)"
        sleep 0.2
    done
    echo "start frame: $START_FRAME_MEASURE"
}

# Polls WINDOW into FILE until the picture differs from REFERENCE (within
# OPERATORS) by more than LIMIT; fails with MESSAGE at the deadline.
wait_for_change() {  # wait_for_change WINDOW FILE REFERENCE LIMIT SECONDS MESSAGE [OPERATOR...]
    local window=$1 file=$2 reference=$3 limit=$4 deadline=$((SECONDS + $5)) message=$6
    shift 6
    while :; do
        screenshot "$window" "$file"
        CHANGE=$(image_difference "$reference" "$file" "$@") || exit 1
        check "a > $limit" "$CHANGE" 0 && return 0
        [ $SECONDS -lt $deadline ] || fail "$message (difference $CHANGE, needed more than $limit)"
        sleep 0.2
    done
}

# Idle, only the seaweed sways; holding Space moves the following camera and
# so the whole view. Compared above the controls help, which goes after ten
# seconds: on a busy machine that can fall between two screenshots.
check_swimming() {  # check_swimming WINDOW
    local above_help=1280x560+0+0 idle limit
    screenshot "$1" "$E2E_TMP/idle-a.ppm"
    sleep 1
    screenshot "$1" "$E2E_TMP/idle-b.ppm"
    idle=$(image_difference "$E2E_TMP/idle-a.ppm" "$E2E_TMP/idle-b.ppm" -crop "$above_help" +repage) || exit 1
    limit=$(awk -v i="$idle" 'BEGIN { print (3 * i > 0.02) ? 3 * i : 0.02 }')
    hold_key "$1" space 1.5
    wait_for_change "$1" "$E2E_TMP/moved.ppm" "$E2E_TMP/idle-b.ppm" "$limit" 10 \
        "holding Space did not move the swimmer" -crop "$above_help" +repage
    echo "idle difference $idle, after swimming $CHANGE"
}

# Escape stops the game: once two screenshots in a row agree, they must still
# agree a second of wall-clock time later (a slow frame is not a pause). A
# second Escape brings the sway back, so the freeze was the pause and not a hang.
check_pause_and_resume() {  # check_pause_and_resume WINDOW
    local window=$1 deadline still started
    hold_key "$window" Escape 0.1
    deadline=$((SECONDS + 20))
    screenshot "$window" "$E2E_TMP/paused-a.ppm"
    while :; do
        sleep 0.2
        screenshot "$window" "$E2E_TMP/paused-b.ppm"
        still=$(image_difference "$E2E_TMP/paused-a.ppm" "$E2E_TMP/paused-b.ppm") || exit 1
        check "a == 0" "$still" 0 && break
        [ $SECONDS -lt $deadline ] || fail "after Escape the picture kept changing (last difference $still)"
        mv "$E2E_TMP/paused-b.ppm" "$E2E_TMP/paused-a.ppm"
    done
    started=$EPOCHREALTIME
    sleep 1
    screenshot "$window" "$E2E_TMP/paused-c.ppm"
    still=$(image_difference "$E2E_TMP/paused-b.ppm" "$E2E_TMP/paused-c.ppm") || exit 1
    echo "difference while paused, $(awk -v s="$started" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.2f", e - s }') s apart: $still"
    check "a == 0" "$still" 0 || fail "the picture changed while paused (difference $still)"
    hold_key "$window" Escape 0.1
    wait_for_change "$window" "$E2E_TMP/resumed.ppm" "$E2E_TMP/paused-c.ppm" 0 10 \
        "the game did not resume after a second Escape"
    echo "difference after resuming: $CHANGE"
}

# A window manager on the tests' X server, for what only a window manager
# does: full screen on demand is a request to it (SDL asks for it through
# _NET_WM_STATE). It goes when Xvfb goes.
start_window_manager() {
    command -v openbox >/dev/null || fail "openbox is not installed (tools/deps/install.sh test)"
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "openbox did not start: $(cat "$E2E_TMP/openbox.log")"
}

# Keys belong to the window with the keyboard focus. With another window in
# focus, the game's keys typed there (Space, the arrows, Left Control, F1 and
# Escape at once) neither move nor pause the swimmer, and Space held in the
# game stops counting once the focus moves away (the glide ends within a
# second); back in focus, Space swims again. Keys are typed as a keyboard
# would (XTEST, to whichever window has the focus), not sent to a window.
# The focus comes back as a player brings it: a click into the window (Wine
# makes its window the foreground one on a click, not on the X focus alone).
focus_by_click() {  # focus_by_click WINDOW
    xdotool mousemove --window "$1" 200 200 click 1
    xdotool windowfocus --sync "$1" 2>/dev/null || true
}
check_keys_need_focus() {  # check_keys_need_focus GAME_WINDOW OTHER_WINDOW
    local game=$1 other=$2 above_help=1280x560+0+0 idle typed_elsewhere held_then_left moved
    xdotool windowfocus --sync "$other" 2>/dev/null || true
    sleep 0.5
    screenshot "$game" "$E2E_TMP/focus-a.ppm"
    sleep 1
    screenshot "$game" "$E2E_TMP/focus-b.ppm"
    idle=$(image_difference "$E2E_TMP/focus-a.ppm" "$E2E_TMP/focus-b.ppm" -crop "$above_help" +repage) || exit 1
    xdotool keydown space+Left+Up+Control_L+F1+Escape
    sleep 1.5
    xdotool keyup space+Left+Up+Control_L+F1+Escape
    sleep 0.3
    screenshot "$game" "$E2E_TMP/focus-c.ppm"
    typed_elsewhere=$(image_difference "$E2E_TMP/focus-b.ppm" "$E2E_TMP/focus-c.ppm" -crop "$above_help" +repage) || exit 1
    echo "idle difference $idle, after the game's keys typed into the other window $typed_elsewhere"
    check "a < 2 * b + 0.01" "$typed_elsewhere" "$idle" || fail "keys typed into another window moved the swimmer"

    focus_by_click "$game"
    sleep 0.3
    xdotool keydown space
    sleep 0.3
    xdotool windowfocus --sync "$other" 2>/dev/null || true
    sleep 1
    screenshot "$game" "$E2E_TMP/focus-d.ppm"
    sleep 1.5
    screenshot "$game" "$E2E_TMP/focus-e.ppm"
    xdotool keyup space
    held_then_left=$(image_difference "$E2E_TMP/focus-d.ppm" "$E2E_TMP/focus-e.ppm" -crop "$above_help" +repage) || exit 1
    echo "Space still held after the focus left: difference $held_then_left"
    check "a < 2 * b + 0.01" "$held_then_left" "$idle" || fail "Space held while another window has the focus kept the swimmer swimming"

    focus_by_click "$game"
    sleep 0.3
    screenshot "$game" "$E2E_TMP/focus-f.ppm"
    xdotool keydown space
    sleep 1.5
    xdotool keyup space
    sleep 0.3
    screenshot "$game" "$E2E_TMP/focus-g.ppm"
    moved=$(image_difference "$E2E_TMP/focus-f.ppm" "$E2E_TMP/focus-g.ppm" -crop "$above_help" +repage) || exit 1
    echo "Space typed into the game: difference $moved"
    check "a > 3 * b && a > 0.02" "$moved" "$idle" ||
        fail "Space typed into the focused game did not move the swimmer (or Escape typed elsewhere paused it)"
}

# Another X client's window beside the game, to take the keyboard focus.
# Prints its id; it goes when Xvfb goes.
start_other_window() {
    xmessage -geometry 300x80+1500+900 -title "Another window" "Another window" >/dev/null 2>&1 &
    wait_for_window "Another window"
}
