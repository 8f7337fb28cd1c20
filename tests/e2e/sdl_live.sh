#!/usr/bin/env bash
# The Linux game's window, frame loop and game stepped inside a test program
# (tests/e2e/sdl_live_test.cpp) under Xvfb with a window manager: virtual
# game controllers attached, pressed and removed during play, and F11's full
# screen as the game sees it.
set -u
BIN_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"

start_xvfb
start_window_manager
cd "$SOURCE_DIR"
LIBGL_ALWAYS_SOFTWARE=1 "$BIN_DIR/tests/sdl-live-tests" || fail "the in-process SDL tests failed"
echo "PASS: virtual controllers drive the game (A, stick, D-pad, X/RB, Back, Start once per press, removed and attached again, two at once); F11 full screen resizes the game"
