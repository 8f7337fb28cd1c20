#!/usr/bin/env bash
# Builds the four release packages into build/packages/:
#   Mirelo-<version>-windows-x86_64.zip    Mirelo.exe (with its icon, version and manifest) and data/
#   mirelo_<version>_amd64.deb             the game installed: /usr/bin/mirelo, /usr/share/mirelo/data,
#                                          its menu entry, icons and metainfo
#   mirelo-<version>-linux-x86_64.tar.gz   mirelo, mirelo.sh and data/
#   Mirelo-<version>-web.zip               the site: index.html, page.css, page.js, manifest.json,
#                                          the icons, mirelo.js, mirelo.wasm, mirelo.data
# The Linux game is the default preset's (build/), the program the tests run,
# stripped and packaged twice; the Windows game comes from
# tools/deps/build-windows.sh (build-mingw), the site from tools/web/build.sh
# (build-web).
set -euo pipefail
cd "$(dirname "$0")/.."
# Every package set first: the two builds below run at once and must not
# both call apt-get.
tools/deps/install.sh build package windows web
jobs=$(nproc)

tools/configure.sh default
cmake --build --preset default --target mirelo -j"$jobs"
out="$PWD/build/packages"
mkdir -p "$out"
rm -f "$out"/Mirelo-*-windows-x86_64.zip "$out"/mirelo_*_amd64.deb "$out"/mirelo-*-linux-x86_64.tar.gz \
    "$out"/Mirelo-*-web.zip
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
# The Linux packages are made while the other two games build (mostly while
# their builds configure, on one core), the Windows game beside the site:
# the site's last step (emcc's link) keeps one core busy, and the Windows
# build takes the other.
cpack --config build/CPackConfig.cmake -B "$out" >"$logs/linux" 2>&1 &
linux_packages=$!
tools/deps/build-windows.sh >"$logs/windows" 2>&1 &
windows_build=$!
tools/web/build.sh
linux_status=0
windows_status=0
wait "$linux_packages" || linux_status=$?
wait "$windows_build" || windows_status=$?
cat "$logs/windows" "$logs/linux"
[ "$windows_status" -eq 0 ] || { echo "package.sh: the Windows build failed" >&2; exit 1; }
[ "$linux_status" -eq 0 ] || { echo "package.sh: the Linux packages failed" >&2; exit 1; }

for build in build-mingw build-web; do
    cpack --config "$build/CPackConfig.cmake" -B "$out"
done
rm -rf "$out/_CPack_Packages"
ls -l "$out"
