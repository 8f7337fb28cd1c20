#!/usr/bin/env bash
# Installs what the web build needs (Debian's Emscripten, Chromium for the
# tests) and builds zlib and libpng for WebAssembly with emcc from Debian's
# source packages, with Debian's patches applied (libpng carries security
# fixes there), the same releases as the host's -dev packages. Emscripten's
# own zlib and libpng ports download at build time and cannot be used here.
#
# The libraries go into a prefix in the cache folder, which later runs reuse:
#   ${MIRELO_CACHE_DIR:-$HOME/.cache/mirelo}/emscripten-<emcc>-zlib-<version>-libpng-<version>
# The prefix also gets the nlohmann/json headers and CMake package files, so
# that it is the only place outside Emscripten's sysroot the build looks in.
#
# Prints the prefix as its last line (build.sh reads it).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
"$root/tools/deps/install.sh" build web >&2
source "$root/tools/deps/debian-source.sh"

# Debian's emcc runs its JavaScript helpers (acorn) with the node on the PATH;
# a node that is not Debian's own finds Debian's modules only through NODE_PATH.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

cache="${MIRELO_CACHE_DIR:-$HOME/.cache/mirelo}"
emcc_version=$(cat /usr/share/emscripten/emscripten-version.txt)
zlib_version=$(dpkg-query -W -f='${Version}' zlib1g-dev)
png_version=$(dpkg-query -W -f='${Version}' libpng-dev)
key="emscripten-$emcc_version-zlib-$zlib_version-libpng-$png_version"
prefix="$cache/${key//[:~]/_}"
downloads="$cache/downloads"
jobs=$(nproc)

work=""
trap '[ -z "$work" ] || rm -rf "$work"' EXIT

# Unpacks SOURCE (Debian's patches applied) into DIR: the wanted revision's
# .dsc when it was served, else the newest one fetched.
unpack_source() {
    local source=$1 version=$2 dir=$3 dsc
    download_source "$source" "$version" "$downloads" >&2
    dsc="$downloads/${source}_${version#*:}.dsc"
    [ -f "$dsc" ] || dsc=$(ls "$downloads/${source}"_*.dsc | sort -V | tail -n1)
    echo "Unpacking $(basename "$dsc")" >&2
    dpkg-source --no-check -x "$dsc" "$dir" >"$work/unpack-$source.log" 2>&1 ||
        { cat "$work/unpack-$source.log" >&2; exit 1; }
    basename "$dsc" >>"$prefix/sources.txt"
}

run_logged() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 || { cat "$log" >&2; echo "web/deps.sh: failed: $*" >&2; exit 1; }
}

build_libraries() {
    work=$(mktemp -d)
    rm -rf "$prefix"
    mkdir -p "$prefix"

    unpack_source zlib "$zlib_version" "$work/zlib"
    echo "Building zlib with emcc" >&2
    (cd "$work/zlib" &&
        run_logged "$work/zlib-configure.log" emconfigure ./configure --static --prefix="$prefix" &&
        run_logged "$work/zlib-build.log" emmake make -j"$jobs" libz.a &&
        run_logged "$work/zlib-install.log" emmake make install)

    unpack_source libpng1.6 "$png_version" "$work/libpng"
    echo "Building libpng with emcc" >&2
    run_logged "$work/libpng-configure.log" emcmake cmake -S "$work/libpng" -B "$work/libpng-build" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
        -DPNG_HARDWARE_OPTIMIZATIONS=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON \
        -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a"
    run_logged "$work/libpng-build.log" cmake --build "$work/libpng-build" -j"$jobs"
    run_logged "$work/libpng-install.log" cmake --install "$work/libpng-build"
}

if [ -f "$prefix/.complete" ]; then
    echo "Using the cached WebAssembly zlib and libpng in $prefix" >&2
else
    build_libraries
    touch "$prefix/.complete"
fi

# nlohmann/json is header-only. Its package files name the prefix they sit
# in, so the prefix gets copies of them and sees only the nlohmann headers:
# the host's /usr/include must never reach emcc.
mkdir -p "$prefix/include" "$prefix/share/cmake"
ln -sfn /usr/include/nlohmann "$prefix/include/nlohmann"
rm -rf "$prefix/share/cmake/nlohmann_json"
cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"

echo "$prefix"
