#!/usr/bin/env bash
# The Windows game, Mirelo.exe, under Wine on Xvfb: what a controller, full
# screen and the keyboard focus ask of the Win32 backend.
# - XInput is loaded at run time (windows_wine.sh: the exe imports no XInput
#   DLL): with every XInput DLL disabled it still starts and plays with the
#   keyboard.
# - F11, and Alt+Enter, held or not, make the window a borderless full screen
#   over the 1920x1080 screen, cursor hidden, and the same key brings back the
#   1280x720 window; Enter alone does nothing.
# - Keys count only while the game's window is in front.
# - Closed while in full screen, it gives the screen back.
#
# The exe: see lib/windows_exe.sh.
set -u
BIN_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)

. "$SOURCE_DIR/tests/e2e/lib/windows_exe.sh"
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"
. "$SOURCE_DIR/tests/e2e/lib/wine.sh"

start_xvfb
use_wine_prefix
cd "$SOURCE_DIR"

# --- without any XInput DLL -------------------------------------------------
WINEDEBUG=+loaddll WINEDLLOVERRIDES="$WINEDLLOVERRIDES;xinput1_4,xinput1_3,xinput9_1_0=d" \
    wine "$exe" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo" "$WINE_WINDOW_SECONDS") || exit 1
xdotool windowfocus --sync "$id" 2>/dev/null || true
wait_for_drawn_frame "$id" "$WINE_WINDOW_SECONDS"
check_swimming "$id"
# By now the game has polled for controllers many times.
grep -i 'Loaded.*xinput' "$E2E_TMP/game.out" && fail "an XInput DLL was loaded although all are disabled"
close_game "$id"
echo "without XInput: the game starts and Space swims"

# --- with Wine's XInput, if it has one ----------------------------------------
wine "$exe" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo" "$WINE_WINDOW_SECONDS") || exit 1
xdotool windowfocus --sync "$id" 2>/dev/null || true

cursor_over() {  # cursor_over X Y
    xdotool mousemove "$1" "$2"
    sleep 0.3
    "$BIN_DIR/tests/x11-cursor"
}
wait_for_size() {  # wait_for_size WINDOW SIZE WHAT
    for _ in $(seq 100); do
        [ "$(window_size "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    fail "after $3 the client area is $(window_size "$1"), expected $2"
}
corner() {
    xwininfo -id "$1" | awk '/Absolute upper-left/ {printf "%s ", $4}'
}

windowed_at=$(corner "$id")
x=$(echo "$windowed_at" | cut -d' ' -f1)
y=$(echo "$windowed_at" | cut -d' ' -f2)
[ "$(cursor_over $((x + 100)) $((y + 100)))" = "visible" ] || fail "no cursor over the window at start"
# Held for a second, past the X server's auto-repeat (660 ms, then 25 a
# second) on the real keyboard: how often the client area changed size meanwhile.
size_changes_while_held() {  # size_changes_while_held KEYS
    local last size changes=0
    last=$(window_size "$id") || exit 1
    xdotool keydown "$1"
    for _ in $(seq 10); do
        sleep 0.1
        size=$(window_size "$id") || exit 1
        [ "$size" = "$last" ] || changes=$((changes + 1))
        last=$size
    done
    xdotool keyup "$1"
    echo "$changes"
}
focus_by_click "$id"
[ "$(size_changes_while_held Return)" = 0 ] || fail "Enter without Alt switched the screen"
for key in F11 alt+Return; do
    changes=$(size_changes_while_held "$key") || exit 1
    [ "$changes" = 1 ] || fail "held, $key changed the window's size $changes times"
    wait_for_size "$id" 1920x1080 "$key"
    [ "$(corner "$id")" = "0 0 " ] || fail "after $key the window is at $(corner "$id"), not at the screen's corner"
    [ "$(cursor_over $((x + 100)) $((y + 100)))" = "hidden" ] || fail "after $key the cursor still shows"
    sleep 1
    screenshot "$id" "$E2E_TMP/full.ppm"
    brightness=$(convert "$E2E_TMP/full.ppm" -crop 480x270+1440+810 +repage -colorspace Gray -format "%[fx:mean]" info:)
    echo "$key: full screen 1920x1080, bottom-right corner's mean brightness $brightness"
    check "a > 0.05" "$brightness" 0 || fail "after $key the frame does not reach the screen's corner"
    xdotool key --window "$id" "$key"
    wait_for_size "$id" 1280x720 "$key again"
    [ "$(corner "$id")" = "$windowed_at" ] || fail "after $key again the window is at $(corner "$id"), not back at $windowed_at"
    [ "$(cursor_over $((x + 100)) $((y + 100)))" = "visible" ] || fail "after $key again the cursor stays hidden"
    echo "$key again: back to the 1280x720 window at $windowed_at"
done

other=$(start_other_window)
check_keys_need_focus "$id" "$other"

# Closed in full screen, the game gives the screen back.
xdotool key --window "$id" alt+Return
wait_for_size "$id" 1920x1080 "alt+Return"
close_game "$id"
xwininfo -id "$id" >/dev/null 2>&1 && fail "the game's window is still there after it exited"
[ "$(cursor_over $((x + 100)) $((y + 100)))" = "visible" ] || fail "after the game closed in full screen the cursor stays hidden"
echo "PASS: Mirelo.exe under Wine: starts without XInput, F11 and Alt+Enter switch to full screen and back, keys count only while its window is in front, closed in full screen it gives the screen back"
