#!/usr/bin/env bash
# Configures the tree of a CMake preset: tools/configure.sh PRESET [CMAKE ARGS...]
# A tree another generator made (the presets once used Make) is configured
# afresh: CMake refuses to switch a tree's generator in place.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
preset=$1
shift
tree=build
[ "$preset" = default ] || tree=build-$preset
fresh=()
if [ -f "$tree/CMakeCache.txt" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$tree/CMakeCache.txt"; then
    fresh=(--fresh)
fi
cmake --preset "$preset" "${fresh[@]}" "$@" >/dev/null
