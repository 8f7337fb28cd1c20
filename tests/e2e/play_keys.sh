#!/usr/bin/env bash
# The real Linux game under Xvfb, driven by held keys: Space moves the
# swimmer (the following camera shifts the whole view), Escape pauses (the
# picture freezes) and resumes, and once the controls help has gone after its
# ten seconds, F1 brings it back.
set -u
BIN_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"

start_xvfb
prepare_start_frame "$BIN_DIR/mirelo-headless"
cd "$SOURCE_DIR"
"$BIN_DIR/mirelo" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo") || exit 1
xdotool windowfocus --sync "$id" 2>/dev/null || true
check_start_frame "$id"

check_swimming "$id"
check_pause_and_resume "$id"

# Gone means well past the limit of help_shown, not just past it: a view
# moved by swimming changes what shows through the panel a little too.
deadline=$((SECONDS + 30))
while :; do
    screenshot "$id" "$E2E_TMP/no-help.ppm"
    if ! help_shown "$E2E_TMP/no-help.ppm" "$E2E_TMP/expected.ppm" &&
            check "a > 2 * $HELP_PANEL_LIMIT" "$HELP_DIFFERENCE" 0; then
        break
    fi
    [ $SECONDS -lt $deadline ] || fail "the controls help did not go (help panel difference $HELP_DIFFERENCE)"
    sleep 0.2
done
echo "the help has gone: help panel difference $HELP_DIFFERENCE"
hold_key "$id" F1 0.2
deadline=$((SECONDS + 10))
while :; do
    screenshot "$id" "$E2E_TMP/help.ppm"
    help_shown "$E2E_TMP/help.ppm" "$E2E_TMP/expected.ppm" && break
    [ $SECONDS -lt $deadline ] || fail "F1 did not bring the controls help back (help panel difference $HELP_DIFFERENCE)"
    sleep 0.2
done
echo "after F1: help panel difference $HELP_DIFFERENCE"

"$BIN_DIR/tests/x11-close" "$id" || fail "could not send the close request"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "the game exited with code $EXIT_CODE"
echo "PASS: Space swims, Escape pauses and resumes, F1 shows the help"
