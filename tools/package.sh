#!/usr/bin/env bash
# Builds both release packages into build/packages/:
#   Mirelo-<version>-windows-x86_64.zip    Mirelo.exe and data/
#   mirelo-<version>-linux-x86_64.tar.gz   mirelo, mirelo.sh and data/
# The Linux game is a Release build of its own (build-release); the Windows
# game comes from tools/deps/build-windows.sh (build-mingw).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps/install.sh build
jobs=$(nproc)

cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
tools/deps/build-windows.sh

out="$PWD/build/packages"
mkdir -p "$out"
rm -f "$out"/Mirelo-*-windows-x86_64.zip "$out"/mirelo-*-linux-x86_64.tar.gz
for build in build-release build-mingw; do
    cpack --config "$build/CPackConfig.cmake" -B "$out"
done
rm -rf "$out/_CPack_Packages"
ls -l "$out"
