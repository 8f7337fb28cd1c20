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
check_start_frame "$id" "$BIN_DIR/mirelo-headless"

"$BIN_DIR/tests/x11-close" "$id" || fail "could not send the close request"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "the game exited with code $EXIT_CODE: $(cat "$E2E_TMP/game.out")"
echo "PASS: window 1280x720 titled 'TAVO 6 Mirelo', closed with exit code 0"
