#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (Mesa through EGL), the
# end-to-end runs under Xvfb (the Linux game, the Windows game under Wine and
# the release packages) and in Chromium (the web site, WebGL 2 on
# SwiftShader), then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer; then every loader's fuzz target for a bounded
# time, and a short pass of the benchmarks (built in the default tree).
set -euo pipefail
cd "$(dirname "$0")"
tools/deps/install.sh build test windows fuzz hardening web
jobs=$(nproc)

echo "== build (default preset) =="
tools/configure.sh default
cmake --build --preset default -j"$jobs"

echo "== Windows game (MinGW-w64), web site and release packages =="
# Builds build-mingw/Mirelo.exe and the site in build-web/site on the way, and
# packages the Linux game just built. The e2e tests run all three; named
# here, they must exist rather than be skipped.
tools/package.sh
export MIRELO_EXE="$PWD/build-mingw/Mirelo.exe" MIRELO_PACKAGES="$PWD/build/packages" MIRELO_WEB_REQUIRED=1

echo "== test (default preset) =="
ctest --preset default -j"$jobs"

echo "== build and test under ASan + UBSan (clang; the fuzz targets built in the same tree) =="
# The asan test preset turns Mesa's shader disk cache off: its writer thread,
# still busy at exit, made LeakSanitizer's thread tracer crash ("Tracer caught
# signal 11") after tests that had passed.
tools/configure.sh asan
cmake --build --preset asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j"$jobs" -LE e2e

echo "== fuzzing: every loader for 10 s under ASan + UBSan (clang, libFuzzer) =="
# After the inputs that once broke a loader; fuzz/run.sh alone gives each 30 s.
fuzz/run.sh 10

echo "== benchmarks: one short pass to show they run (built with the default preset) =="
bench/run.sh --quick
