#!/usr/bin/env bash
# Installs the Debian packages a set of tasks needs, when any is missing.
# Usage: tools/deps/install.sh build|test|...   (each word adds its packages)
set -euo pipefail

packages=()
for need in "$@"; do
    case "$need" in
        build)
            packages+=(cmake ninja-build g++ make pkg-config libsdl2-dev libpng-dev zlib1g-dev
                       nlohmann-json3-dev libegl-dev libegl1-mesa-dev libgl-dev libgl1-mesa-dri
                       libgtest-dev libbenchmark-dev libfreetype-dev fonts-dejavu-core libx11-dev libxfixes-dev) ;;
        test)
            # xfonts-base: SDL's X11 message box needs a core font, and a
            # bare Xvfb has none (the box would fall back to standard error).
            # openbox: full screen under Xvfb needs a window manager.
            # desktop-file-utils, appstream: the validators of the Debian
            # package's menu entry and metainfo; icoutils: Mirelo.exe's
            # resources listed.
            packages+=(xvfb xfonts-base xdotool imagemagick x11-utils glslang-tools jq python3 clang-format openbox
                       desktop-file-utils appstream icoutils) ;;
        package)
            # CPack's Debian package finds the libraries the game links with
            # dpkg-shlibdeps, and the programs among its files with file.
            packages+=(dpkg-dev file) ;;
        windows)
            packages+=(g++-mingw-w64-x86-64 libz-mingw-w64-dev xz-utils wine wine64 unzip) ;;
        fuzz)
            # libFuzzer and the sanitizer runtimes come with clang's runtime
            # package; llvm brings the symbolizer for readable reports.
            packages+=(clang libclang-rt-14-dev llvm) ;;
        hardening)
            # memcheck runs of the game, and GNU time for its peak memory.
            packages+=(valgrind time) ;;
        web)
            # Emscripten and the source packages of libpng and zlib for the
            # web build (tools/web/deps.sh); Chromium runs the site in the
            # tests. npm fetches playwright-core; a node that is not Debian's
            # brings its own npm, which Debian's npm would conflict with.
            packages+=(emscripten dpkg-dev chromium python3)
            command -v npm >/dev/null || packages+=(npm) ;;
        *)
            echo "install.sh: unknown package set '$need'" >&2
            exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
