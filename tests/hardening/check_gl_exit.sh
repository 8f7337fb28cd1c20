#!/usr/bin/env bash
# mirelo-headless --check-gl on a run with one GL error: it names the frame
# on standard error and exits 3. The runner under test is the test build
# whose glFinish makes the error on the frame MIRELO_GL_FAULT_FRAME names;
# without --check-gl, or without the fault, the same runs exit 0.
#   check_gl_exit.sh MIRELO_HEADLESS_GL_FAULT SOURCE_DIR
set -uo pipefail
headless=$1
cd "$2"
work=$(mktemp -d /tmp/mirelo-check-gl.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail=0
run() {  # run EXPECTED_CODE FAULT_FRAME ARGS...
    local expected=$1 fault=$2 status=0
    shift 2
    if [ -n "$fault" ]; then
        MIRELO_GL_FAULT_FRAME=$fault "$headless" --frames 5 --size 64x36 --seed 7 "$@" 2>"$work/stderr.txt" || status=$?
    else
        "$headless" --frames 5 --size 64x36 --seed 7 "$@" 2>"$work/stderr.txt" || status=$?
    fi
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
[ "$fail" -eq 0 ] && echo "PASS: --check-gl reports the frame of a GL error and exits 3"
exit "$fail"
