#!/usr/bin/env bash
# Builds the game for web browsers into build-web/site/: index.html (our own
# page), mirelo.js, mirelo.wasm and mirelo.data (data/ packed for the page's
# file system). Installs what it needs and builds zlib and libpng for
# WebAssembly on the first run (tools/web/deps.sh, cached in ~/.cache/mirelo/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
prefix=$("$root/tools/web/deps.sh" | tail -n1)
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

cd "$root"
# The build's cache keeps the libraries it found: a prefix for other versions
# needs a fresh configure.
fresh=()
if [ -f build-web/CMakeCache.txt ] &&
    ! grep -qx "CMAKE_FIND_ROOT_PATH:UNINITIALIZED=$prefix" build-web/CMakeCache.txt; then
    fresh=(--fresh)
fi
tools/configure.sh web "${fresh[@]}" -DCMAKE_FIND_ROOT_PATH="$prefix"
cmake --build --preset web -j"$(nproc)"
echo "Built the site in $root/build-web/site"
