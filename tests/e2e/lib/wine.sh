# Helpers for running Mirelo.exe under Wine on the tests' Xvfb. Source after
# xvfb.sh; call use_wine_prefix after start_xvfb.

# One prefix beside the Windows build, made by the CTest fixture
# e2e.setup.wine_prefix (tests/e2e/setup/wine_prefix.sh) before any test that
# needs it; its server and the helper processes it starts go at the end of
# every run.
export WINEPREFIX="$SOURCE_DIR/build-mingw/wineprefix"
WINE_PREFIX_READY="$WINEPREFIX/.mirelo-ready"
export WINEDEBUG=-all
# No Mono or Gecko: the game needs neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LIBGL_ALWAYS_SOFTWARE=1

require_tools wine wineserver

wine_cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    GAME_PID=""
    wineserver -k 2>/dev/null
    e2e_cleanup
}
trap wine_cleanup EXIT

use_wine_prefix() {
    [ -f "$WINE_PREFIX_READY" ] ||
        fail "no Wine prefix in $WINEPREFIX: the CTest fixture e2e.setup.wine_prefix makes it (ctest runs it first)"
    wineserver -k 2>/dev/null
}

# Wine starts slower than a native program, the more so on a busy machine.
WINE_WINDOW_SECONDS=90

# As a player does: click the window, then press Alt+F4 on the keyboard (the
# X test extension's real key events, not events sent to the window, which
# Wine did not always take after the focus had moved between windows). The
# game must end with exit code 0.
close_game() {  # close_game WINDOW
    focus_by_click "$1"
    sleep 0.5
    xdotool key alt+F4
    wait_exit "$GAME_PID"
    GAME_PID=""
    [ "$EXIT_CODE" = "0" ] || fail "Alt+F4: the game exited with code $EXIT_CODE: $(cat "$E2E_TMP/game.out")"
}
