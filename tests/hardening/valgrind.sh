#!/usr/bin/env bash
# valgrind memcheck over the first 300 frames of the course: no memory error
# and no definite leak. Mesa's llvmpipe is slow under valgrind, so the frames
# are drawn at 320x180; what is checked does not depend on the size.
#   valgrind.sh MIRELO_HEADLESS SOURCE_DIR
set -euo pipefail
headless=$1
source_dir=$2
frames=300
log=$(mktemp /tmp/mirelo-valgrind.XXXXXX)
trap 'rm -f "$log"' EXIT
cd "$source_dir"
command -v valgrind >/dev/null || { echo "FAIL: valgrind is not installed (tools/deps/install.sh hardening)"; exit 1; }

status=0
valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --num-callers=40 --suppressions=tests/hardening/valgrind.supp \
    --log-file="$log" \
    "$headless" --frames "$frames" --input tests/playthrough/course.keys --seed 7 --size 320x180 || status=$?
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|suppressed:' "$log" || true
if [ "$status" -ne 0 ]; then
    echo "FAIL: valgrind exit status $status"
    cat "$log"
    exit 1
fi
echo "PASS: $frames frames under memcheck, no error, no definite leak"
