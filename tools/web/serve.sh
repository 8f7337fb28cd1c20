#!/usr/bin/env bash
# Builds the site (tools/web/build.sh) and serves it on the loopback
# interface only: http://127.0.0.1:8080 (or MIRELO_WEB_PORT). Ctrl+C stops it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
"$root/tools/web/build.sh"
port="${MIRELO_WEB_PORT:-8080}"
echo "Serving $root/build-web/site on http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build-web/site"
