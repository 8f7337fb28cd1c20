#!/usr/bin/env bash
# mirelo-headless's exit codes. --check-gl on a run with one GL error names
# the frame on standard error and exits 3 (the runner under test is the test
# build whose glFinish makes the error on the frame MIRELO_GL_FAULT_FRAME
# names); without --check-gl, or without the fault, the same runs exit 0. A
# game that cannot load (no data/ in the working directory) exits 1; a bad
# argument or key-script line exits 2.
#   check_gl_exit.sh MIRELO_HEADLESS_GL_FAULT SOURCE_DIR
set -uo pipefail
headless=$1
cd "$2"
work=$(mktemp -d /tmp/mirelo-check-gl.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail=0
run() {  # [in=DIR] run EXPECTED_CODE FAULT_FRAME ARGS...
    local expected=$1 fault=$2 status=0
    shift 2
    (cd "${in:-.}" || exit
        [ -z "$fault" ] || export MIRELO_GL_FAULT_FRAME=$fault
        exec "$headless" --frames 5 --size 64x36 --seed 7 "$@") 2>"$work/stderr.txt" || status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "FAIL: fault frame '${fault:-none}' $*: exit $status, expected $expected"
        cat "$work/stderr.txt"
        fail=1
    fi
}

run 3 3 --check-gl
# One line, for the frame the error happened on, with GL_INVALID_ENUM.
if [ "$(cat "$work/stderr.txt")" != "frame 3: GL error 0x0500" ]; then
    echo "FAIL: expected exactly 'frame 3: GL error 0x0500' on standard error, got:"
    cat "$work/stderr.txt"
    fail=1
fi
run 3 0 --check-gl
grep -qx "frame 0: GL error 0x0500" "$work/stderr.txt" || { echo "FAIL: frame 0 not reported"; fail=1; }
run 0 3
run 0 "" --check-gl
run 0 7 --check-gl  # the run ends before the fault frame
mkdir "$work/empty"
in=$work/empty run 1 ""
grep -q "data/" "$work/stderr.txt" || { echo "FAIL: the load failure names no file"; fail=1; }
printf '0 space\n4 space,jump\n' >"$work/bad.keys"
run 2 "" --input "$work/bad.keys"
grep -q "line 2" "$work/stderr.txt" || { echo "FAIL: the bad script line is not named"; fail=1; }
for bad in "--frames lots" "--size 64" "--dt -1" "--seed" "--loud" "--screenshot-every 2"; do
    # shellcheck disable=SC2086 # one bad option with its words
    run 2 "" $bad
done
run 2 "" --input "$work/missing.keys"
[ "$fail" -eq 0 ] && echo "PASS: exit 3 naming the frame of a GL error under --check-gl, 1 without data/, 2 on a bad argument or script line"
exit "$fail"
