#!/usr/bin/env bash
# "Your games" on a real desktop, played by xdotool in its own X server under openbox, with
# settings and data folders of its own and an accessibility bus on a private session bus:
# a game won with an undo (48 steps), a game left for a new one after two moves, then the
# window opened by its key, and its figures and trend sentence read through AT-SPI as a
# screen reader reads them.
# Usage: yourgames_e2e.sh <tobrinel> <tobrinel_solution> <board_layout.env> [<scale, 1 by default>]
# With YOURGAMES_TREE=<file>, the window's accessible tree is written there as well.
set -euo pipefail

game=$1
solution=$2
layout=$3
scale=${4:-1}
here=$(dirname "$0")
source "$here/desktopsetup.sh"

Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_until 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
export QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="qt.multimedia*=false" QT_SCALE_FACTOR=$scale

dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" >"$work/dbus.log" 2>&1 &
buspid=$!
pids+=($buspid)
wait_until 10 test -s "$work/bus" || fail "the session bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
timeout 10 gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress >/dev/null || fail "the accessibility bus did not start"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_until 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

mapfile -t moves < <("$solution")
[ "${#moves[@]}" -eq 46 ] || fail "the solver gave ${#moves[@]} moves, not 46"

"$game" >>"$work/game.log" 2>&1 &
gamepid=$!
pids+=($gamepid)
main=$(window_of "Tobrinel - Karvolen 2003")
wait_until 10 test "$(active_window)" = "$main" || fail "the main window is not active at start"
history="$XDG_DATA_HOME/Tobrinel/Tobrinel/games.txt"
[ ! -e "$history" ] || fail "the history exists before any game"

read -r _ _ mainWidth mainHeight <<<"$(xwininfo -id "$main" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print 0, 0, w, h}')"
menuHeight=$((mainHeight - CLIENT_PIXELS * scale))
clicks=()
click_move() {
    local from to
    read -r from to <<<"$1"
    clicks+=(mousemove --window "$main" $((cellX[from] * scale)) $((cellY[from] * scale + menuHeight)) click 1)
    clicks+=(mousemove --window "$main" $((cellX[to] * scale)) $((cellY[to] * scale + menuHeight)) click 1)
}

# --- A game won with an undo: the first move, taken back, then the best game -----------
xdotool key --delay 80 alt+s s alt+f p
click_move "${moves[0]}"
xdotool "${clicks[@]}" key ctrl+z
clicks=()
for move in "${moves[@]}"; do click_move "$move"; done
xdotool "${clicks[@]}"
window_of "Selamat yaa, kong !!" >/dev/null
xdotool key ctrl+a && xdotool type Undo && xdotool key Return
window_of "Hi Scores" >/dev/null
xdotool key Return
wait_until 10 gone "Hi Scores" || fail "Return did not close the Black List"
window_of "You Win !!!" >/dev/null
xdotool key Return
wait_until 10 gone "You Win !!!" || fail "Return did not close the results window"
wait_until 10 test "$(active_window)" = "$main" || fail "the main window did not take the keyboard back"
grep -q '^v1 [0-9TZ:-]* won 48 [0-9]* 0 0 1 ' "$history" || fail "the won game is not in the history: $(cat "$history" 2>&1)"
echo "$SECONDS s PASS: a game won with an undo is in the history"

# --- A game left for a new one after two moves --------------------------------------------
xdotool key --delay 80 alt+f p
clicks=()
click_move "${moves[0]}"
click_move "${moves[1]}"
xdotool "${clicks[@]}"
xdotool key --delay 80 alt+f p
window_of "Hi, Siluman Ketombe !" >/dev/null
xdotool key Return # Yes, the default
wait_until 10 gone "Hi, Siluman Ketombe !" || fail "the restart question stayed open"
wait_until 10 grep -q '^v1 [0-9TZ:-]* left 2 ' "$history" || fail "the left game is not in the history: $(cat "$history")"
echo "$SECONDS s PASS: a game left for a new one is in the history"

# --- The window by its key, heard through AT-SPI ------------------------------------------
wait_until 10 test "$(active_window)" = "$main" || fail "the main window is not active before Y"
xdotool key y
window=$(window_of "Your games")
wait_until 10 test "$(active_window)" = "$window" || fail "Your games is not active"
heard=$(/usr/bin/python3 "$here/yourgames_says.py") || fail "the screen reader heard no figures"
for figure in "Games played: 2" "Won: 1" "Abandoned: 1" "Best steps: 48" "Won at 46: 0" "Won without help: 0" \
    "Your one win took 48 steps."; do
    grep -qxF "$figure" <<<"$heard" || fail "the screen reader did not hear \"$figure\"; it heard: $heard"
done
# The whole accessible tree of the window, to look at, when asked for.
if [ -n "${YOURGAMES_TREE:-}" ]; then /usr/bin/python3 "$here/yourgames_says.py" --tree >"$YOURGAMES_TREE"; fi
printf '  heard: %s\n' "Games played: 2" "Won: 1" "Abandoned: 1" "Your one win took 48 steps."
xdotool key Escape
wait_until 10 gone "Your games" || fail "Escape did not close Your games"
echo "$SECONDS s PASS: Your games opened by Y, its figures and trend heard through AT-SPI"
