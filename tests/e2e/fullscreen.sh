#!/usr/bin/env bash
# Full screen on demand in the real Linux game, under Xvfb (1920x1080) with a
# window manager: F11 makes the window cover the screen with the cursor
# hidden and the frame drawn at the screen's size (like the headless runner's
# frame at 1920x1080, so neither cut nor stretched); F11 again brings back the
# 1280x720 window and the cursor. Closed while Alt+Enter has it in full
# screen, the game ends cleanly and leaves the screen as it was. (Held keys,
# Enter alone and the sizes the game is told: tests/e2e/sdl_live_test.cpp.)
set -u
BIN_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"

start_xvfb
start_window_manager
cd "$SOURCE_DIR"
"$BIN_DIR/mirelo" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo")
xdotool windowfocus --sync "$id" 2>/dev/null || true
"$BIN_DIR/mirelo-headless" --size 1920x1080 --screenshot "$E2E_TMP/headless-full.png" || fail "mirelo-headless failed"
"$BIN_DIR/mirelo-headless" --screenshot "$E2E_TMP/headless-window.png" || fail "mirelo-headless failed"
convert "$E2E_TMP/headless-full.png" -resize 64x36! "$E2E_TMP/headless-small.png"

# Waits until the window's client area is SIZE (the window manager works
# between the key and the new size).
wait_for_size() {  # wait_for_size WINDOW SIZE
    for _ in $(seq 100); do
        [ "$(window_size "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    fail "after $3 the client area is $(window_size "$1"), expected $2"
}

cursor_over_window() {
    local x y
    x=$(xwininfo -id "$1" | awk '/Absolute upper-left X:/ {print $4}')
    y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y:/ {print $4}')
    xdotool mousemove $((x + 100)) $((y + 100))
    sleep 0.3
    "$BIN_DIR/tests/x11-cursor"
}

sleep 1
wait_for_size "$id" 1280x720 "start-up"
[ "$(cursor_over_window "$id")" = "visible" ] || fail "no cursor over the window at start"

key=F11
xdotool key --window "$id" "$key"
wait_for_size "$id" 1920x1080 "$key"
sleep 1
origin=$(xwininfo -id "$id" | awk '/Absolute upper-left/ {printf "%s ", $4}')
[ "$origin" = "0 0 " ] || fail "after $key the window is at $origin, not at the screen's corner"
[ "$(cursor_over_window "$id")" = "hidden" ] || fail "after $key the cursor still shows"
screenshot "$id" "$E2E_TMP/full.png"
convert "$E2E_TMP/full.png" -resize 64x36! "$E2E_TMP/full-small.png"
difference=$(image_difference "$E2E_TMP/full-small.png" "$E2E_TMP/headless-small.png")
echo "$key: full screen 1920x1080, difference from the headless 1920x1080 frame: $difference"
check "a < 0.15" "$difference" 0 || fail "after $key the frame is not drawn at the screen's size"

xdotool key --window "$id" "$key"
wait_for_size "$id" 1280x720 "$key again"
[ "$(cursor_over_window "$id")" = "visible" ] || fail "after $key again the cursor stays hidden"
sleep 0.5
# The room as at the start, compared above the controls help (which may be
# fading by now).
screenshot "$id" "$E2E_TMP/back.ppm"
difference=$(image_difference "$E2E_TMP/back.ppm" "$E2E_TMP/headless-window.png" -crop 1280x560+0+0 +repage \
    -scale 160x70!) || exit 1
check "a < $START_FRAME_LIMIT" "$difference" 0 || fail "after $key again the window does not show the room (difference $difference)"
echo "$key again: back to the 1280x720 window"

xdotool key --window "$id" alt+Return
wait_for_size "$id" 1920x1080 "alt+Return"
"$BIN_DIR/tests/x11-close" "$id" || fail "could not send the close request"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "closed in full screen, the game exited with code $EXIT_CODE: $(cat "$E2E_TMP/game.out")"
xwininfo -id "$id" >/dev/null 2>&1 && fail "the game's window is still there after it exited"
screen=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$screen" = "1920x1080" ] || fail "after the game the screen is $screen"
xdotool mousemove 300 300
sleep 0.3
[ "$("$BIN_DIR/tests/x11-cursor")" = "visible" ] || fail "after the game closed in full screen the cursor stays hidden"
echo "PASS: F11 switches to a 1920x1080 full screen (cursor hidden, frame at the screen's size) and back to the 1280x720 window; closed in full screen, the game exits 0 and gives the screen back"
