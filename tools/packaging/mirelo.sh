#!/bin/sh
# Starts the Linux game from the folder it was unpacked to, wherever it is
# called from: the game reads data/ relative to the working directory.
here=$(dirname "$(readlink -f "$0")")
cd "$here" || exit 1
exec ./mirelo "$@"
