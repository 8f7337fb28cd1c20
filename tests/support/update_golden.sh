#!/usr/bin/env bash
# Writes the golden images from the current rendering into FOLDER, through
# the world tests' golden comparisons run with MIRELO_UPDATE_GOLDEN=FOLDER.
# Those runs must fail (rewriting is never a pass) and must have written every
# image they were asked for. The update-golden build target runs this on
# tests/golden/ and then the world tests as they run in CI; the CTest test
# golden.rewrite_never_passes runs it on a scratch folder.
#   update_golden.sh WORLD_TESTS FOLDER
set -uo pipefail
tests=$1
folder=$2
mkdir -p "$folder" || exit 1
folder=$(cd "$folder" && pwd)
log=$(mktemp /tmp/mirelo-golden.XXXXXX)
trap 'rm -f "$log"' EXIT

status=0
MIRELO_UPDATE_GOLDEN="$folder" "$tests" --gtest_filter='*Golden*' >"$log" 2>&1 || status=$?
written=$(grep -o "wrote $folder/[^ ]*\.png" "$log" | sed 's/^wrote //' | sort -u)
if [ "$status" -eq 0 ]; then
    echo "FAIL: the golden tests passed while MIRELO_UPDATE_GOLDEN was set"
    cat "$log"
    exit 1
fi
if [ -z "$written" ]; then
    echo "FAIL: no golden test wrote an image into $folder (exit status $status)"
    cat "$log"
    exit 1
fi
failed=$(grep -cE '^\[  FAILED  \] .*Golden.* \([0-9]+ ms\)$' "$log")
count=$(echo "$written" | wc -l)
if [ "$failed" -ne "$count" ]; then
    echo "FAIL: $failed golden tests failed but $count images were written"
    cat "$log"
    exit 1
fi
for file in $written; do
    [ -s "$file" ] || { echo "FAIL: $file is missing or empty"; exit 1; }
    echo "wrote $file"
done
echo "PASS: $count golden images written; each golden test failed while writing, as it must"
