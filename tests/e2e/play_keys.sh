#!/usr/bin/env bash
# The real Linux game under Xvfb, driven by held keys: Space moves the
# swimmer (the following camera shifts the whole view), Escape pauses (the
# picture freezes) and resumes, and F1 brings the controls help back.
set -u
BIN_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"

start_xvfb
cd "$SOURCE_DIR"
"$BIN_DIR/mirelo" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo")
xdotool windowfocus --sync "$id" 2>/dev/null || true
sleep 1

check_swimming "$id"
check_pause_and_resume "$id"

# The help goes after ten seconds of play; F1 brings it back.
HELP_PANEL=440x110+420+580
sleep 9
screenshot "$id" "$E2E_TMP/no-help.png"
hold_key "$id" F1 0.2
sleep 0.3
screenshot "$id" "$E2E_TMP/help.png"
help=$(image_difference "$E2E_TMP/no-help.png" "$E2E_TMP/help.png" "$HELP_PANEL")
echo "help panel difference after F1: $help"
check "a > 0.05" "$help" 0 || fail "F1 did not bring the controls help back"

"$BIN_DIR/tests/x11-close" "$id"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "the game exited with code $EXIT_CODE"
echo "PASS: Space swims, Escape pauses and resumes, F1 shows the help"
