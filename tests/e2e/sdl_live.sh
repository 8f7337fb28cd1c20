#!/usr/bin/env bash
# The Linux game's window, frame loop and game stepped inside a test program
# (tests/e2e/sdl_live_test.cpp) under Xvfb with a window manager: virtual
# game controllers attached, pressed and removed during play; every game key
# typed through the X server; F11 and Alt+Enter, tapped and held; keys and
# controllers while another window has the focus.
set -u
BIN_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"

start_xvfb
start_window_manager
cd "$SOURCE_DIR"
LIBGL_ALWAYS_SOFTWARE=1 "$BIN_DIR/tests/sdl-live-tests" || fail "the in-process SDL tests failed"
echo "PASS: virtual controllers drive the game; each key acts alone; F11 and Alt+Enter switch once per press; nothing counts without the focus"
