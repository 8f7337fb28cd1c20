#!/usr/bin/env bash
# The real Linux game under Xvfb: its window appears with the right title and
# client size, shows the start frame (like the headless runner's), and closing
# it the way the close box does ends the process with exit code 0.
set -u
BIN_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"

start_xvfb
cd "$SOURCE_DIR"
"$BIN_DIR/mirelo" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!

id=$(wait_for_window "TAVO 6 Mirelo")
size=$(window_size "$id")
[ "$size" = "1280x720" ] || fail "client area is $size, expected 1280x720"
sleep 1
screenshot "$id" "$E2E_TMP/start.png"
brightness=$(mean_brightness "$E2E_TMP/start.png")
echo "start frame mean brightness: $brightness"
check "a > 0.05 && a < 0.95" "$brightness" 0 || fail "the window shows a blank frame"

# The same start frame from the headless runner: only the seaweed (seeded by
# the clock in the real game) and driver details may differ.
"$BIN_DIR/mirelo-headless" --screenshot "$E2E_TMP/headless.png" || fail "mirelo-headless failed"
convert "$E2E_TMP/start.png" -resize 64x36! "$E2E_TMP/start-small.png"
convert "$E2E_TMP/headless.png" -resize 64x36! "$E2E_TMP/headless-small.png"
difference=$(image_difference "$E2E_TMP/start-small.png" "$E2E_TMP/headless-small.png")
echo "difference from the headless start frame: $difference"
check "a < 0.15" "$difference" 0 || fail "the window's start frame does not resemble the headless one"

"$BIN_DIR/tests/x11-close" "$id" || fail "could not send the close request"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "the game exited with code $EXIT_CODE: $(cat "$E2E_TMP/game.out")"
echo "PASS: window 1280x720 titled 'TAVO 6 Mirelo', closed with exit code 0"
