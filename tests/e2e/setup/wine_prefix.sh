#!/usr/bin/env bash
# The Wine prefix the Windows game runs in, made once beside the Windows build
# (build-mingw/wineprefix). A CTest fixture of its own, so that booting Wine
# is not charged to whichever Wine test happens to run first, and a prefix
# that cannot be made is reported as such.
#
# Skipped (exit 77) when there is no Windows game to run: neither
# $MIRELO_EXE nor $MIRELO_PACKAGES is set (test.sh sets both) and none is built.
set -u
SOURCE_DIR=$(cd "$1" && pwd)
SKIP=77

if [ -z "${MIRELO_EXE:-}${MIRELO_PACKAGES:-}" ] && [ ! -f "$SOURCE_DIR/build-mingw/Mirelo.exe" ] &&
        ! ls "$SOURCE_DIR"/build/packages/Mirelo-*-windows-x86_64.zip >/dev/null 2>&1; then
    echo "SKIP: no Windows game to run (tools/deps/build-windows.sh builds it)"
    exit $SKIP
fi

. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"
. "$SOURCE_DIR/tests/e2e/lib/wine.sh"

if [ -f "$WINE_PREFIX_READY" ]; then
    echo "the Wine prefix $WINEPREFIX is ready"
    exit 0
fi
start_xvfb
echo "Creating the Wine prefix $WINEPREFIX"
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
timeout 240 wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 || fail "wineboot failed: $(cat "$E2E_TMP/wineboot.log")"
timeout 60 wineserver -w || fail "the Wine server did not finish setting up the prefix"
[ -f "$WINEPREFIX/system.reg" ] || fail "wineboot left no registry in $WINEPREFIX: $(cat "$E2E_TMP/wineboot.log")"
touch "$WINE_PREFIX_READY"
echo "PASS: the Wine prefix is ready"
