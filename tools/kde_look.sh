#!/usr/bin/env bash
# The game on KDE Plasma's compositor (KWin, Wayland), to look at: KWin runs nested in its own
# Xvfb, the game on its Wayland socket, and xdotool plays a game by keyboard to the win. A
# screenshot is taken at each step: the main window, the name question, the Black List, the
# results window, the board once Space has pressed "Great", and the exit question.
#   tools/kde_look.sh <build dir> <scale: 1, 1.5, 2> <out dir>
# Needs kwin-wayland and breeze (about 140 packages, not installed by ./run). KWin's headless
# mode takes no input here, hence the nesting; the packaged binary carries a file capability
# these sandboxes refuse, so a copy of it runs.
set -uo pipefail
build=$1 scale=$2 out=$3
for tool in Xvfb kwin_wayland xdotool xwininfo import dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "kde_look: $tool is not installed" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
        wait "${pids[i]}" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
wait_for() { local i; for i in $(seq 200); do "$@" && return 0; sleep 0.05; done; return 1; }

# Room for KWin's window at twice the scale of a 1280x900 screen; no reset between clients.
Xvfb -displayfd 3 -screen 0 2600x1900x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for test -s "$work/display" || { echo "kde_look: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
mkdir -p "$work/run" "$work/home" "$work/config" && chmod 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" XDG_CONFIG_HOME="$work/config"
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
pids+=($!)
wait_for test -s "$work/bus" || { echo "kde_look: no session bus" >&2; exit 1; }
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
XDG_CURRENT_DESKTOP=KDE "$work/kwin_wayland" --x11-display "$DISPLAY" --width 1280 --height 900 \
    --scale "$scale" --socket tobrinel-kde >"$work/kwin.log" 2>&1 &
pids+=($!)
wait_for test -S "$XDG_RUNTIME_DIR/tobrinel-kde" || { echo "kde_look: KWin did not start" >&2; cat "$work/kwin.log" >&2; exit 1; }
sleep 2
kwin=$(xwininfo -root -children | awk '/KDE Wayland Compositor/ {print $1; exit}')
[ -n "$kwin" ] || { echo "kde_look: no KWin window" >&2; exit 1; }

# The game as in a Plasma session on Wayland (its X11 choice is for GNOME only).
(
    unset DISPLAY
    WAYLAND_DISPLAY=tobrinel-kde XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland \
        QT_LOGGING_RULES="qt.multimedia*=false" exec "$build/tobrinel"
) >"$work/game.log" 2>&1 &
pids+=($!)
sleep 4
xdotool windowfocus --sync "$kwin" 2>/dev/null
xdotool mousemove --window "$kwin" 5 5 # out of the way, over no window of the game

shot() { import -window root "$out/kde-$scale-$1.png" && echo "$out/kde-$scale-$1.png"; }
shot main
xdotool key --delay 150 alt+f p
sleep 0.5
mapfile -t keys < <("$build/tests/desktop/tobrinel_solution" keys)
xdotool key --delay 40 "${keys[@]}"
sleep 3
shot name-question
xdotool key ctrl+a
xdotool type --delay 60 kde
xdotool key Return
sleep 2
shot black-list
xdotool key Return
sleep 2
shot results
xdotool key space
sleep 1.5
shot after-great
xdotool key --delay 150 alt+f g
sleep 2
shot exit-question
xdotool key Return
sleep 1
