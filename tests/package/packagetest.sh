#!/usr/bin/env bash
# Builds the Debian package with Debian's own tooling (tools/buildpackage.sh), holds it to
# lintian (no error, no warning), installs it with apt as a player would, checks that the
# installed program names no folder of the build, starts it from its menu entry's command
# under the offscreen platform until its main window is shown, validates the installed
# desktop files, and removes the package again. The machine is left as it was found, also
# when a step fails:
#   packagetest.sh <source dir> <window probe library> <work dir>
# Exits 77 (a skip for CTest) when it may not or cannot install packages.
set -euo pipefail
source=$1
probe=$2
work=$3
package=tobrinel

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

for tool in dpkg-buildpackage dh lintian apt-get dpkg-query file desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (./run test installs it)"
done
if [ "$(id -u)" -eq 0 ]; then
    as_root() { "$@"; }
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root() { sudo -n "$@"; }
else
    skip "installing a package needs root or sudo without a password"
fi
# A copy the player installed stays untouched.
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    skip "$package is already installed here; the test does not replace it"
fi

apt_get() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=60 -y -q "$@"
}
# Package names as apt and dpkg print them differ in the native architecture's suffix.
native=":$(dpkg --print-architecture)"
names() { sed "s/$native\$//" | sort -u; }
installed_packages() { dpkg-query -W -f='${binary:Package} ${Status}\n' | awk '$4 == "installed" {print $1}' | names; }

rm -rf "$work"
mkdir -p "$work"
installed_packages >"$work/before"
# What this run may install: the game, and whatever apt says it brings along (below). Only
# these are removed again, so packages that something else installs meanwhile are kept.
echo "$package" >"$work/planned"
game_pid=
cleanup() {
    local rc=$?
    set +e
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    installed_packages >"$work/after"
    ours() { comm -12 "$work/planned" "$work/after" | comm -23 - "$work/before"; }
    mapfile -t added < <(ours)
    if [ ${#added[@]} -gt 0 ]; then
        echo "Removing: ${added[*]}"
        apt_get purge "${added[@]}" >"$work/purge.log" 2>&1 || { cat "$work/purge.log"; rc=1; }
        installed_packages >"$work/after"
        mapfile -t left < <(ours)
        if [ ${#left[@]} -gt 0 ]; then
            echo "FAIL: still installed after the test: ${left[*]}"
            rc=1
        fi
    fi
    exit $rc
}
trap cleanup EXIT
# A signal ends the script through the same clean-up.
trap 'exit 143' TERM INT HUP

echo "== package"
"$source/tools/buildpackage.sh" "$work/deb" >/dev/null || fail "the package did not build"
deb=$(ls "$work"/deb/${package}_*.deb)
dpkg-deb --field "$deb" Depends
ls -l "$deb"
apt-get -s -q install "$deb" 2>/dev/null | awk '/^Inst /{print $2}' | names | sort -u - "$work/planned" >"$work/planned.new"
mv "$work/planned.new" "$work/planned"
echo "apt installs: $(tr '\n' ' ' <"$work/planned")"

echo "== lintian"
# Errors and warnings fail; what is overridden says why in debian/*.lintian-overrides.
lintian --info "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -qE '^[EW]: ' "$work/lintian.log"; then fail "lintian reports errors or warnings"; fi

echo "== install"
apt_get install "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "apt-get install"; }
dpkg-query -W -f='${Status}\n' "$package" | grep -q "ok installed" || fail "$package is not installed"

# Everything a desktop looks for, where it looks for it.
desktop=$(dpkg -L "$package" | grep '^/usr/share/applications/.*\.desktop$') || fail "no desktop file"
metainfo=$(dpkg -L "$package" | grep '^/usr/share/metainfo/.*\.metainfo\.xml$') || fail "no metainfo"
app_id=$(basename "$desktop" .desktop)
[ "$(basename "$metainfo" .metainfo.xml)" = "$app_id" ] || fail "metainfo $metainfo is not named $app_id"
for size in 16 22 24 32 48 64 128 256; do
    icon=/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] || fail "no $icon"
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "$icon is not a ${size}x${size} PNG"
done
[ -f /usr/share/man/man6/tobrinel.6.gz ] || fail "no man page in section 6"
[ -f /usr/lib/tobrinel/libtobrinel_audio.so ] || fail "no sound module in /usr/lib/tobrinel"
[ -f /usr/lib/tobrinel/libtobrinel_wayland.so ] || fail "no Wayland module in /usr/lib/tobrinel"

echo "== validate"
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
# Software centres hide or mark down what their validator finds; the id under .invalid is
# the one remark we accept (there is no domain of our own to name it after).
appstreamcli validate --pedantic --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log"; fail "appstreamcli validate $metainfo"; }
cat "$work/appstream.log"
! grep -E '^[EWIP]: ' "$work/appstream.log" | grep -qv ' cid-maybe-not-rdns ' ||
    fail "appstreamcli has more to say than cid-maybe-not-rdns"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Icon)" = "$app_id" ] || fail "Icon=$(entry Icon), expected $app_id"
categories=";$(entry Categories)"
[[ $categories == *";Game;"* && $categories == *";LogicGame;"* ]] || fail "Categories=$(entry Categories)"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "metainfo has no content rating"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" || fail "metainfo launches another id"

echo "== start from the menu entry"
read -r -a command <<<"$(entry Exec)"
[ "${command[0]}" = /usr/games/tobrinel ] || fail "Exec=${command[*]} does not start /usr/games/tobrinel"

echo "== nothing outside the install tree"
# The package was built from a copy under the work folder, and the tests from the source
# folder: neither may be a place the installed program looks in.
for binary in /usr/games/tobrinel /usr/lib/tobrinel/libtobrinel_{audio,wayland}.so; do
    for folder in "$work" "$source"; do
        ! grep -qaF "$folder" "$binary" || fail "$binary names $folder"
    done
done
LD_PRELOAD="$probe" QT_QPA_PLATFORM=offscreen timeout 60 "${command[@]}" >"$work/game.out" 2>&1 &
game_pid=$!
status=0
wait "$game_pid" || status=$?
game_pid=
cat "$work/game.out"
[ "$status" -eq 0 ] || fail "the installed game ended with status $status"
probed() { sed -n "s/^probe: $1=//p" "$work/game.out"; }
[ -n "$(probed title)" ] || fail "the installed game showed no window"
[ "$(probed desktop-file)" = "$app_id" ] || fail "the window's desktop file name is '$(probed desktop-file)', not $app_id"
[ "$(probed wm-class)" = "$(entry StartupWMClass)" ] ||
    fail "window class '$(probed wm-class)' does not match StartupWMClass=$(entry StartupWMClass)"
[ "$(probed icon-16)" = present ] || fail "the window has no icon"
# Players' stored top tens are found under these names.
[ "$(probed organisation)/$(probed wm-class)" = Tobrinel/Tobrinel ] ||
    fail "settings names are $(probed organisation)/$(probed wm-class), not Tobrinel/Tobrinel"

echo "== remove"
apt_get purge "$package" >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "apt-get purge"; }
[ ! -e /usr/games/tobrinel ] || fail "/usr/games/tobrinel is still there after removal"
[ ! -e "$desktop" ] || fail "$desktop is still there after removal"
echo "PASS"
