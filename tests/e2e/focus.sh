#!/usr/bin/env bash
# The real Linux game under Xvfb beside another X client's window: keys
# count only while the game's window has the keyboard focus.
set -u
BIN_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"

start_xvfb
cd "$SOURCE_DIR"
"$BIN_DIR/mirelo" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo")
other=$(start_other_window)
sleep 1
check_keys_need_focus "$id" "$other"

"$BIN_DIR/tests/x11-close" "$id" || fail "could not send the close request"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "the game exited with code $EXIT_CODE: $(cat "$E2E_TMP/game.out")"
echo "PASS: Space typed into another window or held after the focus left does not swim; typed into the game it does"
