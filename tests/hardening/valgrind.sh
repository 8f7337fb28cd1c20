#!/usr/bin/env bash
# valgrind memcheck over a short run that reaches the code a longer one
# would: loading, swimming, turning and pitching, a lever press, F1, a pause
# and the resume, and frames with and without the controls help (large
# steps take its ten seconds in a few frames). No memory error and no
# definite leak. llvmpipe is slow under valgrind and what is checked does
# not depend on the size, so the frames are small.
#   valgrind.sh MIRELO_HEADLESS SOURCE_DIR
set -euo pipefail
headless=$1
source_dir=$2
frames=32
work=$(mktemp -d /tmp/mirelo-valgrind.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$source_dir"
command -v valgrind >/dev/null || { echo "FAIL: valgrind is not installed (tools/deps/install.sh hardening)"; exit 1; }
printf '%s\n' '0 space,left' '6 space,up' '12 down,right' '16 lctrl' '17 f1' '20 escape' '21 -' '23 escape' \
    '24 space,pad_a' >"$work/keys"

status=0
valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --num-callers=40 --suppressions=tests/hardening/valgrind.supp \
    --log-file="$work/log" \
    "$headless" --frames "$frames" --dt 0.4 --input "$work/keys" --seed 7 --size 64x36 || status=$?
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|suppressed:' "$work/log" || true
if [ "$status" -ne 0 ]; then
    echo "FAIL: valgrind exit status $status"
    cat "$work/log"
    exit 1
fi
echo "PASS: $frames frames under memcheck, no error, no definite leak"
