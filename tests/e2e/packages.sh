#!/usr/bin/env bash
# The release packages made by tools/package.sh: each desktop archive holds
# one folder with exactly the game, its launcher (Linux) and every file of
# data/, and each game runs from its unpacked folder: the Linux one through
# its launcher called from elsewhere, the Windows one under Wine. Both show
# the start frame, controls help included (the assets were found), and close
# with exit code 0. The web archive holds exactly the built site (the browser
# tests run that site).
#
# The packages are looked for in $MIRELO_PACKAGES when set (test.sh sets it:
# then they must be there), else in SOURCE_DIR/build/packages; without
# either the test is skipped (exit 77).
set -u
BIN_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
SKIP=77

packages=${MIRELO_PACKAGES:-$SOURCE_DIR/build/packages}
zip=$(ls "$packages"/Mirelo-*-windows-x86_64.zip 2>/dev/null | head -n1)
tgz=$(ls "$packages"/mirelo-*-linux-x86_64.tar.gz 2>/dev/null | head -n1)
web=$(ls "$packages"/Mirelo-*-web.zip 2>/dev/null | head -n1)
if [ -z "$zip" ] || [ -z "$tgz" ] || [ -z "$web" ]; then
    if [ -n "${MIRELO_PACKAGES:-}" ]; then
        echo "FAIL: no Windows .zip, Linux .tar.gz and web .zip in MIRELO_PACKAGES=$MIRELO_PACKAGES" >&2
        exit 1
    fi
    echo "SKIP: no packages in $packages (tools/package.sh makes them)"
    exit $SKIP
fi

. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"
. "$SOURCE_DIR/tests/e2e/lib/wine.sh"
require_tools tar unzip

# The files each archive must hold, no more and no fewer, below its folder.
data_files=$(cd "$SOURCE_DIR" && find data -type f | sort)
expect_contents() {  # expect_contents LISTING FOLDER FILE...  (and every file of data/)
    local listing=$1 folder=$2
    shift 2
    expect_exactly "$listing" "$folder" "$@" $data_files
}
expect_exactly() {  # expect_exactly LISTING FOLDER FILE...
    local listing=$1 folder=$2
    shift 2
    local expected
    expected=$(printf '%s\n' "$@" | sed "s|^|$folder/|" | sort)
    local actual
    actual=$(grep -v '/$' "$listing" | sort)
    if [ "$actual" != "$expected" ]; then
        diff <(echo "$expected") <(echo "$actual") >&2
        fail "$(basename "$listing" .list) does not hold exactly the expected files (diff: expected, actual)"
    fi
}

linux_folder=$(basename "$tgz" .tar.gz)
tar -tzf "$tgz" >"$E2E_TMP/linux.list" || fail "cannot list $tgz"
expect_contents "$E2E_TMP/linux.list" "$linux_folder" mirelo mirelo.sh
windows_folder=$(basename "$zip" .zip)
unzip -Z1 "$zip" >"$E2E_TMP/windows.list" || fail "cannot list $zip"
expect_contents "$E2E_TMP/windows.list" "$windows_folder" Mirelo.exe
echo "$(basename "$tgz"): $(grep -vc '/$' "$E2E_TMP/linux.list") files; $(basename "$zip"): $(grep -vc '/$' "$E2E_TMP/windows.list") files"

# The site as tools/web/build.sh leaves it: our page, the program, data/ packed.
web_folder=$(basename "$web" .zip)
unzip -Z1 "$web" >"$E2E_TMP/web.list" || fail "cannot list $web"
expect_exactly "$E2E_TMP/web.list" "$web_folder" index.html page.css page.js mirelo.js mirelo.wasm mirelo.data
mkdir "$E2E_TMP/web"
unzip -q "$web" -d "$E2E_TMP/web"
grep -q '<title>TAVO 6 Mirelo</title>' "$E2E_TMP/web/$web_folder/index.html" || fail "the web package's page is not the game's"
# Every file of data/ is packed, under data/ as the loaders ask for it.
for file in $data_files; do
    grep -q "\"filename\": *\"/$file\"" "$E2E_TMP/web/$web_folder/mirelo.js" ||
        fail "the web package does not pack $file"
done
echo "$(basename "$web"): $(grep -vc '/$' "$E2E_TMP/web.list") files, all $(echo "$data_files" | wc -l) files of data/ packed"

mkdir "$E2E_TMP/unpacked" "$E2E_TMP/elsewhere"
tar -xzf "$tgz" -C "$E2E_TMP/unpacked" || fail "cannot unpack $tgz"
unzip -q "$zip" -d "$E2E_TMP/unpacked" || fail "cannot unpack $zip"
linux_dir="$E2E_TMP/unpacked/$linux_folder"
[ -x "$linux_dir/mirelo" ] && [ -x "$linux_dir/mirelo.sh" ] || fail "mirelo or mirelo.sh is not executable"

start_xvfb
prepare_start_frame "$BIN_DIR/mirelo-headless"

# Runs until closed; the start frame shows only when data/ was found.
expect_start_frame() {  # expect_start_frame NAME SECONDS
    local id
    id=$(wait_for_window "TAVO 6 Mirelo" "$2") || exit 1
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    echo "$1:"
    check_start_frame "$id" "$2"
    WINDOW_ID=$id
}

cd "$E2E_TMP/elsewhere"
"$linux_dir/mirelo.sh" >"$E2E_TMP/linux.out" 2>&1 &
GAME_PID=$!
expect_start_frame linux 20
"$BIN_DIR/tests/x11-close" "$WINDOW_ID" || fail "could not send the close request"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "the Linux game exited with code $EXIT_CODE: $(cat "$E2E_TMP/linux.out")"

# Started the way Explorer starts it: in its own folder.
use_wine_prefix
cd "$E2E_TMP/unpacked/$windows_folder"
wine Mirelo.exe >"$E2E_TMP/windows.out" 2>&1 &
GAME_PID=$!
expect_start_frame windows "$WINE_WINDOW_SECONDS"
# The window goes on the key press, so the release can only fail: the
# exit of the game is what shows that Alt+F4 arrived.
xdotool key --window "$WINDOW_ID" alt+F4 2>/dev/null
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "Mirelo.exe exited with code $EXIT_CODE: $(cat "$E2E_TMP/windows.out")"
echo "PASS: both packages hold the game and all of data/, and each game runs from its unpacked folder"
