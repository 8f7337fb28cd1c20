#!/usr/bin/env bash
# Compiles the Windows backend and the platform-free application files with
# the MinGW-w64 cross compiler, so Windows-only breakage shows up on Linux.
# Only compiles: linking Mirelo.exe also needs a Windows libpng.
# Exits non-zero on the first file that does not compile cleanly.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cxx=x86_64-w64-mingw32-g++
package=g++-mingw-w64-x86-64

if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "Installing $package (for $cxx)"
    export DEBIAN_FRONTEND=noninteractive
    if ! apt-get install -y "$package"; then
        apt-get update
        apt-get install -y "$package"
    fi
    if ! command -v "$cxx" >/dev/null 2>&1; then
        echo "$package is installed but $cxx is not on PATH" >&2
        exit 1
    fi
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# nlohmann/json is header-only and works on Windows as it is; expose just
# that directory, never the host's /usr/include as a whole.
extra_includes=()
if [ -d /usr/include/nlohmann ]; then
    mkdir "$work/include"
    ln -s /usr/include/nlohmann "$work/include/nlohmann"
    extra_includes=(-isystem "$work/include")
fi

shopt -s nullglob
backend=("$root"/src/app/platform/win32/*.cpp)
if [ "${#backend[@]}" -eq 0 ]; then
    echo "No Win32 backend sources in $root/src/app/platform/win32" >&2
    exit 1
fi
sources=("${backend[@]}" "$root"/src/app/*.cpp)

echo "Compiler: $("$cxx" --version | head -n 1)"
for source in "${sources[@]}"; do
    name="${source#"$root"/}"
    echo "Compiling $name"
    "$cxx" -std=c++17 -Wall -Wextra -Werror -O2 -I "$root/src" "${extra_includes[@]}" \
        -c "$source" -o "$work/${name//\//_}.o"
done
echo "All ${#sources[@]} files compiled for Windows (x86_64, MinGW-w64)."
