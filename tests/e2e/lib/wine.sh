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
