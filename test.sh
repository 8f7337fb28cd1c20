#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (Mesa through EGL), the
# end-to-end runs under Xvfb (the Linux game, the Windows game under Wine and
# the release packages), then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer; then every loader's fuzz target for a bounded
# time, and a build and short pass of the benchmarks.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps/install.sh build test windows fuzz hardening
jobs=$(nproc)

echo "== Windows game (MinGW-w64) and release packages =="
# Builds build-mingw/Mirelo.exe on the way. The e2e tests run both; named
# here, they must exist rather than be skipped.
tools/package.sh
export MIRELO_EXE="$PWD/build-mingw/Mirelo.exe" MIRELO_PACKAGES="$PWD/build/packages"

echo "== build and test (default preset) =="
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"

echo "== build and test under ASan + UBSan =="
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j"$jobs" -LE e2e

echo "== fuzzing: every loader for 30 s under ASan + UBSan (clang, libFuzzer) =="
fuzz/run.sh 30

echo "== benchmarks: build, and one short pass to show they run =="
bench/run.sh --quick
