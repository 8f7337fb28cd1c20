#!/usr/bin/env bash
# The Windows game, Mirelo.exe, under Wine on Xvfb: the real Win32 window,
# WGL context, key polling and timing. Its window appears with the right
# title and client size and shows the start frame (like the headless
# runner's); held Space swims, Escape pauses and resumes, Alt+F4 closes it
# with exit code 0; with Wine's audio drivers turned off (no device) it plays
# all the same and says once on standard error that there is no sound. Alone
# in a folder without data/ it shows the load-failure
# message box, which is dismissed with Return, and exits with code 1.
#
# The exe: see lib/windows_exe.sh.
set -u
BIN_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)

. "$SOURCE_DIR/tests/e2e/lib/windows_exe.sh"
. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"
. "$SOURCE_DIR/tests/e2e/lib/wine.sh"

# Runs alone: nothing of the MinGW runtime, libpng or zlib is loaded from a
# DLL, and XInput is looked up at run time. The listing must name the system DLLs every build of the game imports,
# so that an objdump that failed or read nothing cannot pass as "no DLL".
require_tools x86_64-w64-mingw32-objdump
listing=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump cannot list the imports of $exe"
imports=$(awk '/DLL Name:/ {print $3}' <<<"$listing" | tr '\n' ' ')
echo "Mirelo.exe imports: $imports"
for dll in KERNEL32.dll OPENGL32.dll; do
    grep -qiw "$dll" <<<"$imports" || fail "the import listing of $exe does not name $dll: '$imports'"
done
grep -qiE 'lib[a-z0-9_+-]*\.dll|zlib|png' <<<"$imports" && fail "Mirelo.exe needs DLLs beside it: $imports"
grep -qi xinput <<<"$imports" && fail "Mirelo.exe imports XInput and would not start without it: $imports"

start_xvfb
use_wine_prefix
prepare_start_frame "$BIN_DIR/mirelo-headless"

# --- with data/ -----------------------------------------------------------
cd "$SOURCE_DIR"
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv,winepulse.drv,wineoss.drv=" wine "$exe" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo" "$WINE_WINDOW_SECONDS") || exit 1
# Without a window manager Wine draws no frame: the X window is the client area.
size=$(window_size "$id") || exit 1
[ "$size" = "1280x720" ] || fail "client area is $size, expected 1280x720"
# Keys go to the window in focus, as for a player; Xvfb has none set.
xdotool windowfocus --sync "$id" 2>/dev/null || true
check_start_frame "$id" "$WINE_WINDOW_SECONDS"
check_swimming "$id"
check_pause_and_resume "$id"

close_game "$id"
no_sound=$(grep -c '^No sound: ' "$E2E_TMP/game.out")
[ "$no_sound" = "1" ] || fail "without an audio device the game said $no_sound times that there is no sound: $(cat "$E2E_TMP/game.out")"

# --- the exe alone, without data/ ------------------------------------------
mkdir "$E2E_TMP/alone"
cp "$exe" "$E2E_TMP/alone/"
cd "$E2E_TMP/alone"
wine Mirelo.exe >"$E2E_TMP/alone.out" 2>&1 &
GAME_PID=$!
box=$(wait_for_window "An error occurred" "$WINE_WINDOW_SECONDS") || exit 1
press_in_dialog "$box" Return
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "1" ] || fail "without data/ the game exited with code $EXIT_CODE, expected 1: $(cat "$E2E_TMP/alone.out")"
grep -q "data/" "$E2E_TMP/alone.out" || fail "the load failure names no file: $(cat "$E2E_TMP/alone.out")"
echo "without data/: $(head -n1 "$E2E_TMP/alone.out")"
echo "PASS: Mirelo.exe under Wine: window 1280x720 titled 'TAVO 6 Mirelo', start frame, Space swims, Escape pauses and resumes, Alt+F4 exits 0, no audio device said once; without data/ the error box, exit 1"
