#!/usr/bin/env bash
# Cross-builds the Windows game, build-mingw/Mirelo.exe, with MinGW-w64.
#
# The exe links the C++ runtime, libpng and zlib statically so that it runs
# alone beside data/. zlib comes from Debian (libz-mingw-w64-dev); libpng for
# Windows is built here from the upstream source in Debian's source archive
# (the same upstream version as the host's libpng-dev) and installed into a
# prefix in the cache folder, which later runs reuse:
#   ${MIRELO_CACHE_DIR:-$HOME/.cache/mirelo}/mingw-w64-libpng-<version>
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
"$root/tools/deps/install.sh" build windows

source "$root/tools/deps/debian-source.sh"

cache="${MIRELO_CACHE_DIR:-$HOME/.cache/mirelo}"
# Upstream version only: Debian's revisions patch the packaging, and the
# archive may already serve a newer revision than the one installed.
png_version=$(dpkg-query -W -f='${source:Upstream-Version}' libpng-dev)
prefix="$cache/mingw-w64-libpng-$png_version"
jobs=$(nproc)

work=""
trap '[ -z "$work" ] || rm -rf "$work"' EXIT

build_libpng() {
    local downloads="$cache/downloads"
    # The newest revision: only its upstream tarball is used.
    download_source libpng1.6 "" "$downloads"
    local tarball
    tarball=$(ls "$downloads"/libpng1.6_"$png_version".orig.tar.* 2>/dev/null | head -n1)
    if [ -z "$tarball" ]; then
        echo "build-windows.sh: Debian's source archive has no libpng $png_version" >&2
        exit 1
    fi

    work=$(mktemp -d)
    tar -xf "$tarball" -C "$work"
    local source
    source=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n1)
    echo "Building libpng $png_version for Windows from $(basename "$tarball")"
    cmake -S "$source" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
        -DPNG_FRAMEWORK=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON \
        >"$work/configure.log" || { cat "$work/configure.log"; exit 1; }
    cmake --build "$work/build" -j"$jobs" >"$work/build.log" || { cat "$work/build.log"; exit 1; }
    rm -rf "$prefix"
    cmake --install "$work/build" >/dev/null
}

if [ -f "$prefix/.complete" ]; then
    echo "Using the cached Windows libpng in $prefix"
else
    build_libpng
    touch "$prefix/.complete"
fi

# nlohmann/json is header-only and right for Windows as it is. Its package
# files name the prefix they sit in, so the prefix gets copies of them and
# sees only the nlohmann headers: the host's /usr/include must never reach
# the cross compiler.
mkdir -p "$prefix/include" "$prefix/share/cmake"
ln -sfn /usr/include/nlohmann "$prefix/include/nlohmann"
rm -rf "$prefix/share/cmake/nlohmann_json"
cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"

# The build's cache keeps the libraries it found: a libpng in another prefix
# (another version) needs a fresh configure.
cd "$root"
fresh=()
if [ -f build-mingw/CMakeCache.txt ] &&
    ! grep -qx "PNG_PNG_INCLUDE_DIR:PATH=$prefix/include" build-mingw/CMakeCache.txt; then
    fresh=(--fresh)
fi
tools/configure.sh mingw "${fresh[@]}" -DCMAKE_FIND_ROOT_PATH="$prefix"
cmake --build --preset mingw -j"$jobs"
echo "Built $root/build-mingw/Mirelo.exe"
