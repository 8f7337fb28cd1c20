# Sourced by the cross builds (build-windows.sh, tools/web/deps.sh): fetches a
# library's source from Debian's source archive, so that every build of the
# game decodes with the release the host's -dev package was built from.
#
#   ensure_deb_src                         adds deb-src entries when there are none
#   download_source SOURCE VERSION DIR     apt-get source --download-only into DIR,
#                                          VERSION first, else the archive's others

DEBIAN_SOURCE_SUDO=""
[ "$(id -u)" -ne 0 ] && DEBIAN_SOURCE_SUDO=sudo

# apt-get source needs deb-src entries; this adds them for the archives that
# already serve binary packages (deb822 stanzas with their Types changed).
ensure_deb_src() {
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return 0
    fi
    local list=/etc/apt/sources.list.d/debian.sources
    [ -f "$list" ] || { echo "debian-source.sh: no $list to derive deb-src entries from" >&2; return 1; }
    echo "Adding deb-src entries (/etc/apt/sources.list.d/mirelo-deb-src.sources)" >&2
    sed 's/^Types: deb$/Types: deb-src/' "$list" |
        $DEBIAN_SOURCE_SUDO tee /etc/apt/sources.list.d/mirelo-deb-src.sources >/dev/null
    $DEBIAN_SOURCE_SUDO apt-get update -qq
}

# The wanted revision first; when its files cannot be had (a security archive
# may list sources it does not serve, or the archive has moved on), another
# revision of the same upstream release serves as well: every revision
# carries the same .orig tarball.
try_download() {
    local source=$1 wanted=$2 downloads=$3 version
    for version in "$wanted" $(apt-cache showsrc "$source" 2>/dev/null | awk '/^Version:/ {print $2}' | sort -ruV); do
        (cd "$downloads" && apt-get source --download-only -qq "$source${version:+=$version}") \
            >"$downloads/fetch.log" 2>&1 && return 0
    done
    cat "$downloads/fetch.log" >&2
    return 1
}

download_source() {
    local source=$1 wanted=$2 downloads=$3
    mkdir -p "$downloads"
    ensure_deb_src
    # An index fetched before the deb-src entries existed knows no sources yet.
    if ! try_download "$source" "$wanted" "$downloads"; then
        $DEBIAN_SOURCE_SUDO apt-get update -qq
        try_download "$source" "$wanted" "$downloads"
    fi
}
