# Finds the Windows game for the Wine tests; source first. The exe is
# $MIRELO_EXE when set (test.sh sets it: then it must exist), else
# SOURCE_DIR/build-mingw/Mirelo.exe; without either the test is skipped
# (exit 77): tools/deps/build-windows.sh builds it. Leaves its absolute path
# in $exe.
exe=${MIRELO_EXE:-$SOURCE_DIR/build-mingw/Mirelo.exe}
if [ ! -f "$exe" ]; then
    if [ -n "${MIRELO_EXE:-}" ]; then
        echo "FAIL: MIRELO_EXE=$MIRELO_EXE does not exist" >&2
        exit 1
    fi
    echo "SKIP: $exe is not built (tools/deps/build-windows.sh builds it)"
    exit 77
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
