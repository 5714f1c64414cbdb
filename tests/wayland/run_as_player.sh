#!/usr/bin/env bash
# Runs a Wayland desktop test's driver as an unprivileged user, as compositors will not run
# as root: creates
# the user once, gives the run a private runtime, home and settings folder, and ends every
# process of the run (its own process group) however it ends.
# Usage: run_as_player.sh <driver.py> <tobrinel> <tobrinel_solution> <helper or -> <auto|wayland|xcb> <scale> [<shots dir>]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
driver=$1 game=$2 solution=$3 helper=$4 platform=$5 scale=$6 shots=${7:--}
user=tobrinel-wl

case $(basename "$driver") in
    gnome_e2e.py) tools=(gnome-shell dbus-daemon gsettings xrdb) ;;
    *) tools=(sway swaymsg grim) ;;
esac
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (./run test installs it)"; exit 77; }
done
/usr/bin/python3 -c 'import gi' 2>/dev/null || { echo "SKIP: python3-gi is not installed"; exit 77; }
if [ "$(basename "$driver")" = gnome_e2e.py ]; then
    /usr/bin/python3 -c 'import numpy' 2>/dev/null || { echo "SKIP: python3-numpy is not installed"; exit 77; }
fi
if [ "$(id -u)" -eq 0 ]; then
    id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user" ||
        { echo "SKIP: cannot create the user $user"; exit 77; }
    as_user=(runuser -u "$user" --)
else
    user=$(id -un)
    as_user=()
fi

work=$(mktemp -d /tmp/tobw-run.XXXXXX)
mkdir -p "$work/run" "$work/home" "$work/config" "$work/data" "$work/bin"
# Copies that user can reach wherever the build is (a home folder is often closed to others),
# with the modules the game loads from beside itself (sound, and its Wayland requests).
cp "$game" "$solution" "$work/bin/"
if [ "$helper" != - ]; then cp "$helper" "$work/bin/" && helper=$work/bin/$(basename "$helper"); fi
for lib in "$(dirname "$game")"/libtobrinel_{audio,wayland}*.so*; do [ -e "$lib" ] && cp "$lib" "$work/bin/"; done
game=$work/bin/$(basename "$game")
solution=$work/bin/$(basename "$solution")
chmod 700 "$work/run"
chown -R "$user" "$work" 2>/dev/null
chmod 755 "$work"
if [ "$shots" != - ]; then mkdir -p "$shots" && chown "$user" "$shots"; fi

# The sanitizers' settings of the suite's run go with it (the sanitized build's stage
# turns the leak check off); nothing else of the caller's environment does.
sanitizers=()
for name in ASAN_OPTIONS UBSAN_OPTIONS TSAN_OPTIONS LSAN_OPTIONS; do
    [ -n "${!name+set}" ] && sanitizers+=("$name=${!name}")
done
setsid "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" LANG=C.UTF-8 NO_AT_BRIDGE=1 "${sanitizers[@]}" \
    timeout -k 5 150 /usr/bin/python3 "$here/$driver" "$game" "$solution" "$platform" "$scale" "$shots" "$helper" &
leader=$!
wait "$leader"
rc=$?
# Whatever the run left behind: every process of its session (runuser puts the user's side
# in a process group of its own, and D-Bus starts services in it), by PID.
end_session() {
    local pids
    pids=$(ps -s "$leader" -o pid= 2>/dev/null | tr '\n' ' ')
    [ -n "${pids// /}" ] && kill "-$1" $pids 2>/dev/null
}
end_session TERM
for _ in 1 2 3 4 5 6 7 8 9 10; do
    [ -z "$(ps -s "$leader" -o pid= 2>/dev/null)" ] && break
    sleep 0.3
done
end_session KILL
# An Xwayland ended above leaves its lock file and socket in /tmp; other tests' X servers
# would have to step over them. Only the player's, and only where the server is gone.
for lock in /tmp/.X[0-9]*-lock; do
    [ -f "$lock" ] && [ "$(stat -c %U "$lock")" = "$user" ] || continue
    kill -0 "$(tr -dc 0-9 <"$lock")" 2>/dev/null && continue
    display=${lock#/tmp/.X}
    rm -f "$lock" "/tmp/.X11-unix/X${display%-lock}"
done
# The document portal, started on demand, leaves a mount in the runtime folder.
mountpoint -q "$work/run/doc" && { fusermount -u "$work/run/doc" 2>/dev/null || umount -l "$work/run/doc"; }
rm -rf "$work"
[ "$rc" -eq 124 ] && echo "FAIL: the run took longer than 150 s"
exit "$rc"
