#!/usr/bin/env bash
# Builds the Linux game and starts it (installs what it needs on Debian first).
set -euo pipefail
cd "$(dirname "$0")"
tools/deps/install.sh build
tools/configure.sh default
cmake --build --preset default --target mirelo -j"$(nproc)"
exec ./build/mirelo "$@"
