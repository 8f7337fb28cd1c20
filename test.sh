#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (Mesa through EGL), the
# end-to-end runs under Xvfb, the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Windows backend compile check.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps/install.sh build test
jobs=$(nproc)

echo "== build and test (default preset) =="
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"

echo "== build and test under ASan + UBSan =="
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j"$jobs" -LE e2e

echo "== Windows backend compile check (MinGW-w64) =="
tools/deps/check-win32-compile.sh
