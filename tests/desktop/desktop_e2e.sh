#!/usr/bin/env bash
# The game on a real desktop, played by xdotool: its own X server (Xvfb, on a display
# number it picks itself), the openbox window manager, and a settings folder of its own.
#  1. A whole game won with the keyboard alone: the menu by its access keys, the board by
#     Tab, Shift+Tab and Space, the name question and the Black List by Return.
#  2. A game won with the mouse that enters the Black List: once the list is closed, the
#     results window stands above the main window in the window manager's stacking order
#     and is the active window; Return on it closes it.
#  3. The System Info answer opens centred over the about window, five times over.
#  4. A watched game: W, the hint's question answered Yes, and the game plays the best
#     finish to a win that stays off the Black List; then R reviews it, and a screen reader
#     (AT-SPI, on a private bus) hears the summary and each step, while the stored list stays
#     as it was.
#  5. The exit question opens centred over the main window, and OK ends the program.
#  6. A new game won by keyboard is stored when the Black List shows it, and the game
#     ends cleanly on SIGTERM (a logout) with the list whole.
# Usage: desktop_e2e.sh <tobrinel> <tobrinel_solution> <board_layout.env> [<whole scale factor, 1 by default>]
set -euo pipefail

game=$1
solution=$2
layout=$3
scale=${4:-1}
here=$(dirname "$0")
source "$here/desktopsetup.sh"
on_failure() {
    echo "active $(active_window); stacking $(xprop -root _NET_CLIENT_LIST_STACKING)"
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | grep -o '0x[0-9a-f]*'); do
        echo "  $((id)) $(xprop -id "$id" WM_NAME)"
    done
}

# x y w h of a window's frame on the screen (client area grown by _NET_FRAME_EXTENTS).
frame_of() {
    local id=$1 x y w h left=0 right=0 top=0 bottom=0
    x=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $4}')
    w=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
    if extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -o '[0-9, ]*$'); then
        IFS=', ' read -r left right top bottom <<<"$extents"
    fi
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# Fails unless the frame of window $1 is centred over the frame of window $2, give or
# take 3 pixels (odd sizes, and a title bar whose height is known only once it is drawn).
centred_over() {
    local what=$3 x y w h ox oy ow oh dx dy
    read -r x y w h <<<"$(frame_of "$1")"
    read -r ox oy ow oh <<<"$(frame_of "$2")"
    dx=$(((2 * x + w) - (2 * ox + ow)))
    dy=$(((2 * y + h) - (2 * oy + oh)))
    [ "${dx#-}" -le 6 ] && [ "${dy#-}" -le 6 ] ||
        fail "$what at $x,$y ${w}x$h is not centred over $ox,$oy ${ow}x$oh"
}

# Bottom-to-top stacking position of a window in the window manager's list.
stacking_index() {
    local n=0 id
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | grep -o '0x[0-9a-f]*'); do
        n=$((n + 1))
        [ $((id)) -eq "$1" ] && { echo "$n"; return; }
    done
    echo 0
}

# After a win: the Black List comes up active and Return closes it; then the results
# window ($results) must be the active one. $1 says which win, for the failure.
black_list_then_results() {
    local list
    list=$(window_of "Hi Scores")
    wait_until 10 test "$(active_window)" = "$list" || fail "the Black List is not active"
    xdotool key Return
    wait_until 10 gone "Hi Scores" || fail "Return did not close the Black List"
    results=$(window_of "You Win !!!")
    wait_until 10 test "$(active_window)" = "$results" || fail "the results window is not active after the $1 win"
}

# --- The display and the window manager -------------------------------------------------
# No reset: an X server resets when its last client leaves, and refuses connections while
# it does. The accessibility bus's launcher connects and leaves just before openbox starts,
# and under load openbox met the reset ("Failed to open the display").
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_until 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

# Nothing from the machine's own sessions: settings, runtime, buses and scaling are ours.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
export QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="qt.multimedia*=false" QT_SCALE_FACTOR=$scale

# A session bus of our own, and on it the accessibility bus, up before the game starts so
# that the game's accessibility bridge finds it; the bridge is on as for a screen reader.
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
mapfile -t keys < <("$solution" keys) # the same game by Tab, Shift+Tab and Space
[ "${#moves[@]}" -eq 46 ] || fail "the solver gave ${#moves[@]} moves, not 46"

start_game() {
    "$game" >>"$work/game.log" 2>&1 &
    gamepid=$!
    pids+=($gamepid)
    main=$(window_of "Tobrinel - Karvolen 2003")
    wait_until 10 test "$(active_window)" = "$main" || fail "the main window is not active at start"
}

# A new game won with the keyboard alone, and the name $1 given at the name question.
keyboard_game() {
    xdotool key --delay 80 alt+f p
    xdotool key --delay 5 "${keys[@]}"
    window_of "Selamat yaa, kong !!" >/dev/null
    xdotool key ctrl+a && xdotool type "$1" && xdotool key Return
    wait_until 10 gone "Selamat yaa, kong !!" || fail "the name question stayed open"
}

start_game

# --- 1. A whole game with the keyboard --------------------------------------------------
keyboard_game Keys
black_list_then_results keyboard
[ "$(stacking_index "$results")" -gt "$(stacking_index "$main")" ] ||
    fail "after the keyboard win the results window is below the main window"
xdotool key Return
wait_until 10 gone "You Win !!!" || fail "Return did not close the results window"
wait_until 10 test "$(active_window)" = "$main" || fail "the main window did not take the keyboard back"
grep -q "Keys  46" "$XDG_CONFIG_HOME/Tobrinel/Tobrinel.conf" || fail "the keyboard win did not enter the Black List"
echo "$SECONDS s PASS: a whole game won with the keyboard alone"

# --- 2. A win with the mouse: the results stay in view ------------------------------------
# Quietly: the sound cues had their turn in the keyboard game.
xdotool key --delay 80 alt+s s alt+f p
read -r _ _ mainWidth mainHeight <<<"$(xwininfo -id "$main" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print 0, 0, w, h}')"
menuHeight=$((mainHeight - CLIENT_PIXELS * scale))
clicks=()
click_cell() {
    clicks+=(mousemove --window "$main" $((cellX[$1] * scale)) $((cellY[$1] * scale + menuHeight)) click 1)
}
for move in "${moves[@]}"; do
    read -r from to <<<"$move"
    click_cell "$from"
    click_cell "$to"
done
xdotool "${clicks[@]}"
window_of "Selamat yaa, kong !!" >/dev/null
xdotool key ctrl+a && xdotool type Mouse && xdotool key Return
black_list_then_results mouse
sleep 0.3 # let the window manager finish restacking before reading its order
[ "$(stacking_index "$results")" -gt "$(stacking_index "$main")" ] ||
    fail "the results window is below the main window: $(xprop -root _NET_CLIENT_LIST_STACKING)"
# Task bars leave out utility windows.
xprop -id "$results" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY || fail "the results window is in the task bar"
xdotool key space
wait_until 10 gone "You Win !!!" || fail "Space did not close the results window"
echo "$SECONDS s PASS: after a mouse win the results window stands above the main window and is active"

# --- 3. The System Info answer over the about window ---------------------------------------
for run in 1 2 3 4 5; do
    wait_until 10 test "$(active_window)" = "$main" || fail "the main window is not active before about ($run)"
    xdotool key --delay 80 alt+h a
    about=$(window_of "About TobRineL - KarVoleN 2003")
    wait_until 10 test "$(active_window)" = "$about" || fail "the about window is not active ($run)"
    xdotool key alt+s
    answer=$(window_of "Tobrinel")
    centred_over "$answer" "$about" "the System Info answer (run $run)"
    xdotool key Return
    wait_until 10 gone "Tobrinel" || fail "Return did not close the System Info answer ($run)"
    xdotool key Escape
    wait_until 10 gone "About TobRineL - KarVoleN 2003" || fail "Escape did not close the about window ($run)"
done
echo "$SECONDS s PASS: the System Info answer opened over the about window 5 times out of 5"

# --- 4. A watched game, and its review as a screen reader hears it ------------------------
board_says() {
    /usr/bin/python3 "$here/board_says.py" "$@" || fail "the screen reader did not hear /$1/"
}
conf="$XDG_CONFIG_HOME/Tobrinel/Tobrinel.conf"
stored=$(md5sum <"$conf")
wait_until 10 test "$(active_window)" = "$main" || fail "the main window is not active before watching"
xdotool key w
question=$(window_of "Tobrinel")
centred_over "$question" "$main" "the hint's question"
xdotool key Return # Yes, the default
board_says "Watching the best finish\. Any key or click stops it\." >/dev/null
# Two moves a second: 23 s for the 46 moves.
wait_until 60 visible_window "You Win !!!" || fail "the watched game did not end in a win"
results=$(visible_window "You Win !!!")
gone "Selamat yaa, kong !!" && gone "Hi Scores" || fail "the watched game was offered the Black List"
[ "$(md5sum <"$conf")" = "$stored" ] || fail "the watched game changed the stored list"
xdotool key Return
wait_until 10 gone "You Win !!!" || fail "Return did not close the results window"
wait_until 10 test "$(active_window)" = "$main" || fail "the main window did not take the keyboard back"
xdotool key r
heard=("$(board_says "Move 46 of 46: [0-9]+ to [0-9]+, best\. 46 steps, the best possible\.")")
xdotool key Left
heard+=("$(board_says "Move 45 of 46: [0-9]+ to [0-9]+, best\.")")
xdotool key Home
heard+=("$(board_says "The start, before move 1 of 46\.")")
xdotool key Escape
board_says "" >/dev/null
[ "$(md5sum <"$conf")" = "$stored" ] || fail "the review changed the stored list"
printf '  heard: %s\n' "${heard[@]}"
echo "$SECONDS s PASS: a watched game won in 46 off the Black List, and its review heard through AT-SPI"

# --- 5. The exit question over the main window ---------------------------------------------
wait_until 10 test "$(active_window)" = "$main" || fail "the main window is not active before the exit"
xdotool key --delay 80 alt+f g
question=$(window_of "I miss you..")
centred_over "$question" "$main" "the exit question"
xdotool key Return
wait_until 10 sh -c "! kill -0 $gamepid" || fail "OK on the exit question did not end the program"
game_ended || fail "the program ended with status $?"
echo "$SECONDS s PASS: the exit question opened over the main window and OK ended the program"

# --- 6. The session ends while the Black List shows the new win ---------------------------
start_game
keyboard_game Late
window_of "Hi Scores" >/dev/null
grep -q "^[0-9]=Late  46$" "$conf" || fail "the win was not stored when the Black List showed it"
kill -TERM "$gamepid"
wait_until 10 sh -c "! kill -0 $gamepid" || fail "the game did not end on SIGTERM"
game_ended || fail "the program ended on SIGTERM with status $?"
for name in Late Keys Mouse; do
    grep -q "^[0-9]=$name *46$" "$conf" || fail "after SIGTERM the list lost $name: $(cat "$conf")"
done
echo "$SECONDS s PASS: a session ending during the Black List kept the win"
