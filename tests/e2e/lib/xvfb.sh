# Helpers for the end-to-end tests: a private Xvfb, window lookup, screenshots.
# Source this file; it sets DISPLAY and cleans up on exit.

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

# Starts Xvfb on a display number it picks itself.
start_xvfb() {
    local fdfile="$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fdfile" 2>"$E2E_TMP/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    [ -s "$fdfile" ] || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    export DISPLAY=":$(head -n1 "$fdfile")"
}

# Prints the id of the first visible window with this exact title.
wait_for_window() {
    local title=$1 id=""
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window titled '$title' appeared"
    echo "$id"
}

# Client-area size of a window as WIDTHxHEIGHT.
window_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}

screenshot() {
    import -window "$1" "$2" 2>/dev/null || fail "screenshot of window $1 failed"
}

# Mean brightness of an image, 0 to 1.
mean_brightness() {
    convert "$1" -colorspace Gray -format "%[fx:mean]" info:
}

# Waits for a child process to end and sets EXIT_CODE (fails after a timeout).
# Not for use inside $(...): only this shell can wait for its own children.
wait_exit() {
    local pid=$1
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "process $pid did not exit"
    wait "$pid"
    EXIT_CODE=$?
}

hold_key() {  # hold_key WINDOW KEY SECONDS
    xdotool keydown --window "$1" "$2"
    sleep "$3"
    xdotool keyup --window "$1" "$2"
}

# Root-mean-square difference of two images, 0 (same) to 1, after an optional crop.
image_difference() {  # image_difference A B [CROP]
    local a=$1 b=$2 crop=${3:-}
    if [ -n "$crop" ]; then
        convert "$a" -crop "$crop" +repage "$E2E_TMP/diff-a.png"
        convert "$b" -crop "$crop" +repage "$E2E_TMP/diff-b.png"
        a="$E2E_TMP/diff-a.png"
        b="$E2E_TMP/diff-b.png"
    fi
    compare -metric RMSE "$a" "$b" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/'
}

# Succeeds when the awk expression over a and b holds.
check() {  # check "a > 3 * b" A B
    awk -v a="$2" -v b="$3" "BEGIN { exit !($1) }"
}

# The game's start frame in a window: neither blank nor unlike the headless
# runner's (only the seaweed, seeded by the clock, and driver details differ).
check_start_frame() {  # check_start_frame WINDOW MIRELO_HEADLESS
    screenshot "$1" "$E2E_TMP/start.png"
    local brightness difference
    brightness=$(mean_brightness "$E2E_TMP/start.png")
    echo "start frame mean brightness: $brightness"
    check "a > 0.05 && a < 0.95" "$brightness" 0 || fail "the window shows a blank frame"
    "$2" --screenshot "$E2E_TMP/headless.png" || fail "mirelo-headless failed"
    convert "$E2E_TMP/start.png" -resize 64x36! "$E2E_TMP/start-small.png"
    convert "$E2E_TMP/headless.png" -resize 64x36! "$E2E_TMP/headless-small.png"
    difference=$(image_difference "$E2E_TMP/start-small.png" "$E2E_TMP/headless-small.png")
    echo "difference from the headless start frame: $difference"
    check "a < 0.15" "$difference" 0 || fail "the start frame does not resemble the headless one"
}

# Idle, only the seaweed sways; holding Space moves the following camera and
# so the whole view. Compared above the controls help, which goes after ten
# seconds: on a busy machine that can fall between two screenshots.
check_swimming() {  # check_swimming WINDOW
    local above_help=1280x560+0+0 idle moved
    screenshot "$1" "$E2E_TMP/idle-a.png"
    sleep 1
    screenshot "$1" "$E2E_TMP/idle-b.png"
    idle=$(image_difference "$E2E_TMP/idle-a.png" "$E2E_TMP/idle-b.png" "$above_help")
    hold_key "$1" space 1.5
    sleep 0.3
    screenshot "$1" "$E2E_TMP/moved.png"
    moved=$(image_difference "$E2E_TMP/idle-b.png" "$E2E_TMP/moved.png" "$above_help")
    echo "idle difference $idle, after swimming $moved"
    check "a > 3 * b && a > 0.02" "$moved" "$idle" || fail "holding Space did not move the swimmer"
}

# Escape freezes the picture; a second Escape brings the sway back, so the
# freeze was the pause and not a hang.
check_pause_and_resume() {  # check_pause_and_resume WINDOW
    local paused resumed
    hold_key "$1" Escape 0.1
    sleep 0.5
    screenshot "$1" "$E2E_TMP/paused-a.png"
    sleep 1
    screenshot "$1" "$E2E_TMP/paused-b.png"
    paused=$(image_difference "$E2E_TMP/paused-a.png" "$E2E_TMP/paused-b.png")
    echo "difference while paused: $paused"
    check "a == 0" "$paused" 0 || fail "the picture changed while paused"
    hold_key "$1" Escape 0.1
    sleep 1
    screenshot "$1" "$E2E_TMP/resumed.png"
    resumed=$(image_difference "$E2E_TMP/paused-b.png" "$E2E_TMP/resumed.png")
    echo "difference after resuming: $resumed"
    check "a > 0" "$resumed" 0 || fail "the game did not resume after a second Escape"
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
# focus, Space typed there does not move the swimmer, and Space held in the
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
    screenshot "$game" "$E2E_TMP/focus-a.png"
    sleep 1
    screenshot "$game" "$E2E_TMP/focus-b.png"
    idle=$(image_difference "$E2E_TMP/focus-a.png" "$E2E_TMP/focus-b.png" "$above_help")
    xdotool keydown space
    sleep 1.5
    xdotool keyup space
    sleep 0.3
    screenshot "$game" "$E2E_TMP/focus-c.png"
    typed_elsewhere=$(image_difference "$E2E_TMP/focus-b.png" "$E2E_TMP/focus-c.png" "$above_help")
    echo "idle difference $idle, after Space typed into the other window $typed_elsewhere"
    check "a < 2 * b + 0.01" "$typed_elsewhere" "$idle" || fail "Space typed into another window moved the swimmer"

    focus_by_click "$game"
    sleep 0.3
    xdotool keydown space
    sleep 0.3
    xdotool windowfocus --sync "$other" 2>/dev/null || true
    sleep 1
    screenshot "$game" "$E2E_TMP/focus-d.png"
    sleep 1.5
    screenshot "$game" "$E2E_TMP/focus-e.png"
    xdotool keyup space
    held_then_left=$(image_difference "$E2E_TMP/focus-d.png" "$E2E_TMP/focus-e.png" "$above_help")
    echo "Space still held after the focus left: difference $held_then_left"
    check "a < 2 * b + 0.01" "$held_then_left" "$idle" || fail "Space held while another window has the focus kept the swimmer swimming"

    focus_by_click "$game"
    sleep 0.3
    screenshot "$game" "$E2E_TMP/focus-f.png"
    xdotool keydown space
    sleep 1.5
    xdotool keyup space
    sleep 0.3
    screenshot "$game" "$E2E_TMP/focus-g.png"
    moved=$(image_difference "$E2E_TMP/focus-f.png" "$E2E_TMP/focus-g.png" "$above_help")
    echo "Space typed into the game: difference $moved"
    check "a > 3 * b && a > 0.02" "$moved" "$idle" || fail "Space typed into the focused game did not move the swimmer"
}

# Another X client's window beside the game, to take the keyboard focus.
# Prints its id; it goes when Xvfb goes.
start_other_window() {
    xmessage -geometry 300x80+1500+900 -title "Another window" "Another window" >/dev/null 2>&1 &
    wait_for_window "Another window"
}
