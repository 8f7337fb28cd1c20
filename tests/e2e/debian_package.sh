#!/usr/bin/env bash
# The Debian package made by tools/package.sh, installed with apt into this
# machine's own system as a player installs it, and removed again:
# - its menu entry and metainfo pass desktop-file-validate and appstreamcli,
#   and the entry's icon is in the hicolor theme;
# - the menu entry's command, run in an unrelated folder, opens the game's
#   window with the start frame (so the game found its installed data/), and
#   the window's class is the one the entry names for docks to match;
# - every library the running game has mapped comes from a package that the
#   package's declared dependencies bring in (or apt's own), so apt would
#   pull it onto a machine without it;
# - the close box ends the game with exit code 0, and the package and every
#   package apt installed with it are removed again.
#
# Needs root (or sudo without a password) for apt. The package is looked for
# as packages.sh looks for the others; without one the test is skipped (77).
set -u
BIN_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)

packages=${MIRELO_PACKAGES:-$SOURCE_DIR/build/packages}
deb=$(ls "$packages"/mirelo_*_amd64.deb 2>/dev/null | head -n1)
if [ -z "$deb" ]; then
    if [ -n "${MIRELO_PACKAGES:-}" ]; then
        echo "FAIL: no mirelo_<version>_amd64.deb in MIRELO_PACKAGES=$MIRELO_PACKAGES" >&2
        exit 1
    fi
    echo "SKIP: no Debian package in $packages (tools/package.sh makes it)"
    exit 77
fi

. "$SOURCE_DIR/tests/e2e/lib/xvfb.sh"
require_tools apt-get apt-cache dpkg dpkg-query desktop-file-validate appstreamcli
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || fail "installing the package needs root or sudo without a password"
    SUDO="sudo -n"
fi
apt_get() {
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=600 "$@"
}
installed() {  # installed PACKAGE...: those of them that are installed (none without any)
    [ $# -gt 0 ] || return 0
    dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' "$@" 2>/dev/null | awk '$1 == "ii" {print $2}'
}

# Whatever happens, the machine is left with the packages it had: mirelo
# goes, and so does every package apt installed with it (as apt listed
# them; other developers may install packages meanwhile). A run cut short
# by ctest's timeout cannot clean up: the list it leaves is used by the next.
added_list="$BIN_DIR/tests/debian_package.added"
added=""
if [ -f "$added_list" ]; then
    added=$(cat "$added_list")
    echo "removing what a run cut short installed: $added"
    [ -z "$(installed mirelo $added)" ] || apt_get purge $(installed mirelo $added) >"$E2E_TMP/purge.log" 2>&1 ||
        fail "could not remove $added: $(cat "$E2E_TMP/purge.log")"
    rm -f "$added_list"
fi
[ -z "$(installed mirelo)" ] || fail "mirelo is already installed here; the test installs its own and removes it again"
restore_packages() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    GAME_PID=""
    local left
    left=$(installed mirelo $added)
    if [ -n "$left" ] && ! apt_get purge $left >"$E2E_TMP/purge.log" 2>&1; then
        echo "could not remove $left: $(cat "$E2E_TMP/purge.log")" >&2
        return
    fi
    rm -f "$added_list"
}
trap 'status=$?; [ "$status" -eq 0 ] || [ ! -s "$E2E_TMP/game.out" ] || sed "s/^/game: /" "$E2E_TMP/game.out" >&2
      restore_packages; e2e_cleanup' EXIT

echo mirelo >"$added_list"
status=0
apt_get install --no-install-recommends "$deb" >"$E2E_TMP/install.log" 2>&1 || status=$?
added=$(awk '/^The following NEW packages will be installed:/ {listed = 1; next} listed && /^  / {print; next}
             {listed = 0}' "$E2E_TMP/install.log" | xargs)
echo "$added" >"$added_list"
[ "$status" -eq 0 ] || fail "apt could not install $deb: $(cat "$E2E_TMP/install.log")"
[[ " $added " == *" mirelo "* ]] || fail "apt did not list mirelo as newly installed: $(cat "$E2E_TMP/install.log")"
echo "installed $(basename "$deb"); apt installed: $added"

entry=$(dpkg -L mirelo | grep '^/usr/share/applications/.*\.desktop$') || fail "the package installs no menu entry"
metainfo=$(dpkg -L mirelo | grep '^/usr/share/metainfo/.*\.metainfo\.xml$') || fail "the package installs no metainfo"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
grep -q "<launchable type=\"desktop-id\">$(basename "$entry")</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $(basename "$entry")"

icon=$(sed -n 's/^Icon=//p' "$entry")
icons=$(dpkg -L mirelo | grep "^/usr/share/icons/hicolor/.*/apps/$icon\.png$") || fail "no icon named $icon in the hicolor theme"
echo "menu entry, metainfo and $(echo "$icons" | wc -l) icons of $icon valid"

start_xvfb
prepare_start_frame "$BIN_DIR/mirelo-headless"

# The entry's command as a menu runs it: its words, field codes dropped.
command=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[a-zA-Z]//g')
read -ra words <<<"$command"
mkdir "$E2E_TMP/elsewhere"
cd "$E2E_TMP/elsewhere"
"${words[@]}" >"$E2E_TMP/game.out" 2>&1 &
GAME_PID=$!
id=$(wait_for_window "TAVO 6 Mirelo" 30) || exit 1
check_start_frame "$id" 30
echo "'$command' in $PWD: the start frame"

wm_class=$(xprop -id "$id" WM_CLASS | sed -n 's/.*, "\([^"]*\)"$/\1/p')
[ "$wm_class" = "$(sed -n 's/^StartupWMClass=//p' "$entry")" ] ||
    fail "the window's class '$wm_class' is not the menu entry's StartupWMClass"

# The dependencies apt would install, all the way down, on a system that
# has apt and what apt itself needs (libudev1, which SDL opens for
# controllers when it is there, comes from there).
apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances mirelo apt | grep -v '^ ' | tr -d '<>' | sed 's/:.*//' | sort -u >"$E2E_TMP/brought.list"
grep -qx libc6 "$E2E_TMP/brought.list" || fail "apt-cache lists no dependencies of mirelo: $(cat "$E2E_TMP/brought.list")"
libraries=$(awk '$6 ~ /\.so/ {print $6}' "/proc/$GAME_PID/maps" | sort -u)
[ -n "$libraries" ] || fail "cannot read the libraries of the running game"
# Debian 12 merged /lib into /usr/lib, but packages still name either: ask
# dpkg once for both names of every library.
aliases=$(echo "$libraries" | sed -e 's|^/usr/|/|;t' -e 's|^/|/usr/|')
dpkg -S $libraries $aliases >"$E2E_TMP/owners.list" 2>/dev/null
missing=""
for library in $libraries; do
    owner=$(awk -v a="$library" -v b="$(echo "$library" | sed -e 's|^/usr/|/|;t' -e 's|^/|/usr/|')" \
        '/^diversion/ {next} $NF == a || $NF == b {sub(/:.*/, ""); print; exit}' "$E2E_TMP/owners.list")
    [ -n "$owner" ] || fail "$library, used by the game, belongs to no package"
    grep -qx "$owner" "$E2E_TMP/brought.list" || missing+=" $library ($owner)"
done
[ -z "$missing" ] || fail "the package's dependencies do not bring what the running game uses:$missing"
echo "all $(echo "$libraries" | wc -l) libraries the game has mapped come with its dependencies"

"$BIN_DIR/tests/x11-close" "$id" || fail "could not send the close request"
wait_exit "$GAME_PID"
GAME_PID=""
[ "$EXIT_CODE" = "0" ] || fail "the installed game exited with code $EXIT_CODE: $(cat "$E2E_TMP/game.out")"

apt_get purge $added >"$E2E_TMP/remove.log" 2>&1 || fail "apt could not remove $added: $(cat "$E2E_TMP/remove.log")"
[ -z "$(installed mirelo $added)" ] || fail "still installed after their removal: $(installed mirelo $added)"
[ ! -e /usr/bin/mirelo ] && [ ! -e "$entry" ] && [ ! -e /usr/share/mirelo ] || fail "files of the package are left after its removal"
echo "PASS: the Debian package installs with apt, its menu entry starts the game from anywhere, and it goes again"
