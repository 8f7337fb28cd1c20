#!/usr/bin/env bash
# Runs the browser tests (node's test runner) on build-web/site. Skips (77)
# when the site has not been built, unless MIRELO_WEB_REQUIRED is set, as CI
# sets it after tools/web/build.sh. Installs playwright-core from the lock
# file on first use; the browser is Debian's Chromium, never a download.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
site="${MIRELO_SITE:-$here/../../build-web/site}"
if [ ! -f "$site/index.html" ]; then
    if [ -n "${MIRELO_WEB_REQUIRED:-}" ]; then
        echo "web tests: no site in $site (tools/web/build.sh)" >&2
        exit 1
    fi
    echo "web tests: skipped, no site in $site (tools/web/build.sh builds it)"
    exit 77
fi
# The registry sometimes drops a connection: three tries, from npm's cache
# where it has the package already.
if [ ! -d "$here/node_modules/playwright-core" ]; then
    for try in 1 2 3; do
        (cd "$here" && npm ci --no-audit --no-fund --prefer-offline) && break
        [ "$try" -lt 3 ] || exit 1
        echo "web tests: npm ci failed, trying again in $((try * 5)) s" >&2
        sleep $((try * 5))
    done
fi
cd "$here"
exec node --test
