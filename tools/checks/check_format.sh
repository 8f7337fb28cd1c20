#!/usr/bin/env bash
# Fails, naming the files, when any C++ file of the repository is not as
# clang-format (Debian's clang-format 14, .clang-format at the root) would
# write it. To fix: clang-format -i $(git ls-files '*.cpp' '*.h')
set -euo pipefail
cd "$(dirname "$0")/../.."
command -v clang-format >/dev/null || { echo "clang-format is not installed (tools/deps/install.sh test)"; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -gt 0 ] || { echo "no C++ files found"; exit 1; }
# One clang-format for all files: starting one per file took most of a
# minute on a busy machine. It names every file it would change.
status=0
output=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) || status=$?
mapfile -t bad < <(grep -oE '^[^ :]+:[0-9]+:[0-9]+: error' <<<"$output" | cut -d: -f1 | sort -u)
if [ "$status" -ne 0 ] && [ ${#bad[@]} -eq 0 ]; then
    echo "clang-format failed without naming a file: $output"
    exit 1
fi
if [ ${#bad[@]} -gt 0 ]; then
    printf 'not formatted: %s\n' "${bad[@]}"
    echo "${#bad[@]} of ${#files[@]} files differ from clang-format's output (clang-format -i FILE...)"
    exit 1
fi
echo "ok: ${#files[@]} files as clang-format writes them"
