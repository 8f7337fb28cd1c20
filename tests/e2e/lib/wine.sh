# Helpers for running Mirelo.exe under Wine on the tests' Xvfb. Source after
# xvfb.sh; call prepare_wine_prefix after start_xvfb.

# One prefix beside the Windows build, made by the first run that needs it;
# its server and the helper processes it starts go at the end of every run.
export WINEPREFIX="$SOURCE_DIR/build-mingw/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko: the game needs neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LIBGL_ALWAYS_SOFTWARE=1

command -v wine >/dev/null || fail "wine is not installed (tools/deps/install.sh windows)"

wine_cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    GAME_PID=""
    wineserver -k 2>/dev/null
    e2e_cleanup
}
trap wine_cleanup EXIT

prepare_wine_prefix() {
    wineserver -k 2>/dev/null
    [ -f "$WINEPREFIX/.mirelo-ready" ] && return 0
    echo "Creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    timeout 240 wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 || fail "wineboot failed: $(cat "$E2E_TMP/wineboot.log")"
    wineserver -w
    touch "$WINEPREFIX/.mirelo-ready"
}

# Like wait_for_window, with more time: Wine starts slower than a native
# program, the more so on a busy machine.
wait_for_slow_window() {
    local title=$1 id="" deadline=$((SECONDS + 90))
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
        [ -n "$id" ] && break
        sleep 0.2
    done
    [ -n "$id" ] || fail "no window titled '$title' appeared: $(cat "$E2E_TMP"/*.out 2>/dev/null)"
    echo "$id"
}
