#!/usr/bin/env bash
# The release packages made by tools/package.sh: each desktop archive holds
# one folder with exactly the game, its launcher (Linux) and every file of
# data/, and each game runs from its unpacked folder, started from another
# folder: the Linux one through its launcher, the Windows one under Wine.
# Both show the start frame, controls help included (the assets were found),
# and close with exit code 0. Mirelo.exe carries the game's icon at every size, its
# version and a manifest that declares it DPI-aware and names the Windows
# versions it supports. The web archive holds exactly the built site, with
# its icons and web app manifest (the browser tests run that site). The
# Debian package has a test of its own (debian_package.sh).
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
require_tools tar unzip wrestool icotool strings python3

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
expect_exactly "$E2E_TMP/web.list" "$web_folder" index.html page.css page.js mirelo.js mirelo.wasm mirelo.data \
    manifest.json mirelo-32.png mirelo-192.png mirelo-512.png
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

# Mirelo.exe's resources: the icon group is icons/mirelo.ico whole (wrestool
# pads what it extracts with zeros), the version names the game and the
# package's version, the manifest is well-formed XML (Windows refuses to
# start an exe whose manifest is not) and says what it must.
exe="$E2E_TMP/unpacked/$windows_folder/Mirelo.exe"
wrestool -x --type=14 "$exe" >"$E2E_TMP/exe.ico" || fail "Mirelo.exe has no icon group"
ico="$SOURCE_DIR/icons/mirelo.ico"
ico_size=$(stat -c %s "$ico")
cmp -n "$ico_size" "$ico" "$E2E_TMP/exe.ico" && [ -z "$(tail -c +$((ico_size + 1)) "$E2E_TMP/exe.ico" | tr -d '\0')" ] ||
    fail "Mirelo.exe's icon is not icons/mirelo.ico: $(icotool -l "$E2E_TMP/exe.ico")"
version=${windows_folder#Mirelo-}
version=${version%-windows-x86_64}
strings=$(wrestool -x --raw --type=16 "$exe" | strings -el | tr '\n' '|') || fail "Mirelo.exe has no version information"
for pair in "ProductName|TAVO 6 Mirelo" "FileDescription|TAVO 6 Mirelo" "ProductVersion|$version" "FileVersion|$version"; do
    [[ "|$strings" == *"|$pair|"* ]] || fail "Mirelo.exe's version information lacks $pair: $strings"
done
wrestool -x --raw --type=24 --name=1 "$exe" >"$E2E_TMP/manifest.xml" || fail "Mirelo.exe has no manifest"
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$E2E_TMP/manifest.xml" ||
    fail "Mirelo.exe's manifest is not well-formed XML"
# Per-monitor DPI awareness as Windows 8.1 and 10 read it; Windows 7, and 10 and 11, supported.
for declared in '>true/pm</dpiAware>' '>PerMonitorV2' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    grep -qF "$declared" "$E2E_TMP/manifest.xml" || fail "Mirelo.exe's manifest does not declare $declared"
done
echo "Mirelo.exe: icon $(icotool -l "$E2E_TMP/exe.ico" | sed -E 's/.*--width=([0-9]+).*/\1/' | tr '\n' ' '), version $version"

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

# Started as a shortcut may start it, in another folder: it finds data/
# beside itself.
use_wine_prefix
cd "$E2E_TMP/elsewhere"
wine "$E2E_TMP/unpacked/$windows_folder/Mirelo.exe" >"$E2E_TMP/windows.out" 2>&1 &
GAME_PID=$!
expect_start_frame windows "$WINE_WINDOW_SECONDS"
# As a player closes it: a click into the window, then Alt+F4 on the
# keyboard (real key events, as the Wine controls test sends them).
focus_by_click "$WINDOW_ID"
sleep 0.5
xdotool key alt+F4
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "Mirelo.exe exited with code $EXIT_CODE: $(cat "$E2E_TMP/windows.out")"
echo "PASS: the packages hold the game and all of data/, each game runs from its unpacked folder, Mirelo.exe carries its icon, version and manifest"
