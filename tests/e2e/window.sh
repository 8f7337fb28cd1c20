#!/usr/bin/env bash
# The real Linux game under Xvfb: its window appears with the right title and
# client size, shows the start frame (like the headless runner's, controls
# help included), plays its sound into SDL's disk audio driver (the water
# from the start: not silence), and closing it the way the close box does
# ends the process with exit code 0. Run from a folder without data/ it shows the load-failure
# message box (an X11 window titled with its caption), and once that is
# dismissed with Return it exits with code 1. Without any display to open a
# window on it says so and exits 1, instead of running unseen.
set -u
BIN_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"

start_xvfb
prepare_start_frame "$BIN_DIR/mirelo-headless"

# --- with data/ -----------------------------------------------------------
cd "$SOURCE_DIR"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_TMP/sound.raw" "$BIN_DIR/mirelo" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo") || exit 1
size=$(window_size "$id") || exit 1
[ "$size" = "1280x720" ] || fail "client area is $size, expected 1280x720"
check_start_frame "$id"

"$BIN_DIR/tests/x11-close" "$id" || fail "could not send the close request"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "the game exited with code $EXIT_CODE: $(cat "$E2E_TMP/game.out")"
echo "closed with exit code 0"
grep -q '^No sound' "$E2E_TMP/game.out" && fail "the game found no sound device: $(cat "$E2E_TMP/game.out")"
sounding=$(tr -d '\0' <"$E2E_TMP/sound.raw" 2>/dev/null | head -c 4096 | wc -c)
[ "$sounding" -gt 0 ] || fail "the game played only silence, or nothing, into SDL's disk audio driver"
echo "sound played: $(stat -c %s "$E2E_TMP/sound.raw") bytes into SDL's disk driver"

# --- without data/ ---------------------------------------------------------
mkdir "$E2E_TMP/alone"
cd "$E2E_TMP/alone"
"$BIN_DIR/mirelo" >"$E2E_TMP/alone.out" 2>&1 &
GAME_PID=$!
box=$(wait_for_window "An error occurred") || exit 1
press_in_dialog "$box" Return
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "1" ] || fail "without data/ the game exited with code $EXIT_CODE, expected 1: $(cat "$E2E_TMP/alone.out")"
grep -q "data/" "$E2E_TMP/alone.out" || fail "the load failure names no file: $(cat "$E2E_TMP/alone.out")"
echo "without data/: $(head -n1 "$E2E_TMP/alone.out")"

# --- without a display -------------------------------------------------------
# SDL falls back to a driver that draws nowhere; the game must not run on it.
cd "$SOURCE_DIR"
DISPLAY=:$((${DISPLAY#:} + 50)) WAYLAND_DISPLAY=none "$BIN_DIR/mirelo" >"$E2E_TMP/nodisplay.out" 2>&1 &
GAME_PID=$!
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "1" ] || fail "without a display the game exited with code $EXIT_CODE, expected 1: $(cat "$E2E_TMP/nodisplay.out")"
grep -q "Unable to create the OpenGL Window" "$E2E_TMP/nodisplay.out" ||
    fail "without a display the game did not say it could not open its window: $(cat "$E2E_TMP/nodisplay.out")"
echo "without a display: $(grep -m1 'no display' "$E2E_TMP/nodisplay.out")"
echo "PASS: window 1280x720 titled 'TAVO 6 Mirelo' with the start frame, closed with exit code 0; without data/ the error box, exit 1; without a display, exit 1"
