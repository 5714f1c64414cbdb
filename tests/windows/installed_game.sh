#!/usr/bin/env bash
# The installed game under Wine, as a Windows player gets it: the installer run silently
# into a Wine prefix of its own, the game started from where it was installed on a private
# X desktop (Xvfb, openbox) with a private PulseAudio server, played by xdotool.
#  1. The silent install puts the program in the player's own programs folder, a Start
#     menu entry, and an entry in the system's list of installed programs.
#  2. A whole game won with the keyboard alone, a name given, the Black List shown, the
#     results closed, and the program left through File > Garbage Dump..; the cues
#     recorded from the sound server meanwhile were heard.
#  3. Started again, the game has the result: the Black List opens, and the stored file in
#     the player's application data holds it.
#  4. The silent uninstall takes away the program, its Start menu entry and its entry in
#     the list, and leaves the top ten.
# A screenshot of the main window, the results window and the Black List is kept in
# <out>/ for a person to look at.
# Usage: installed_game.sh <setup.exe> <tobrinel_solution> <out folder> [<scale: 1, 1.5 or 2>]
set -euo pipefail

setup=$1
solution=$2
out=$3
scale=${4:-1}
for tool in wine wineserver wineboot Xvfb openbox xdotool xprop xwininfo import pulseaudio pactl parec sox; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (./run windows-test installs it)"; exit 77; }
done
[ -f "$setup" ] || { echo "FAIL: no installer at $setup (cmake --build <build> --target windows_package)"; exit 1; }

work=$(mktemp -d)
mkdir -p "$out"
pids=()
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$work/xdg/data" XDG_CONFIG_HOME="$work/xdg/config" XDG_CACHE_HOME="$work/xdg/cache"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
cleanup() {
    local i
    wineserver -k >/dev/null 2>&1 || true
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    [ -n "${pulse:-}" ] && kill "$pulse" 2>/dev/null
    # Whatever Wine left in this prefix, and only that.
    for env in /proc/[0-9]*/environ; do
        pid=${env#/proc/}
        pid=${pid%/environ}
        if tr '\0' '\n' 2>/dev/null <"$env" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

# A window of the game under Wine can take a while to come: window_of waits 20 s.
window_wait=20
source "$(dirname "$0")/../support/xwindows.sh"
on_failure() {
    import -window root "$out/failure-${scale}x.png" 2>/dev/null && echo "the screen: $out/failure-${scale}x.png"
}
# What the screen shows of a window (a grab of the window alone can come out black under
# Wine), and a check that its pictures are there: a window drawn without them has a few
# dozen colours, not thousands.
shot() {
    sleep 0.5 # the window's first paint
    local x y width height
    read -r x y width height < <(xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
    import -window root -crop "${width}x${height}+${x}+${y}" +repage "$out/$2-${scale}x.png" ||
        fail "no screenshot of $2"
    local colours
    colours=$(identify -format '%k' "$out/$2-${scale}x.png")
    echo "screenshot $out/$2-${scale}x.png: ${width}x${height}, $colours colours"
    [ "$colours" -ge "${3:-1000}" ] || fail "$2 is drawn without its pictures ($colours colours)"
}

# --- The display, the window manager and the sound server ----------------------------------
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_until 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_until 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

timeout 20 pulseaudio -n --daemonize=yes --use-pid-file=yes --exit-idle-time=-1 --disallow-exit \
    --log-target=file:"$work/pulse.log" \
    -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
    -L "module-null-sink sink_name=check norewinds=1 rate=44100 channels=1" || fail "PulseAudio did not start"
export PULSE_SERVER="unix:$work/native"
wait_until 10 timeout 5 pactl info || fail "PulseAudio does not answer"
pulse=$(cat "$XDG_RUNTIME_DIR/pulse/pid")

# --- 1. The silent install ------------------------------------------------------------------
# Wine's helpers keep every descriptor they were given: away from the caller's.
wineboot -i </dev/null >"$work/wineboot.log" 2>&1 || fail "the Wine prefix did not boot"
# What Windows' display settings write for 150 % and 200 %.
case $scale in
    1.5) dpi=144 ;;
    2) dpi=192 ;;
    *) dpi= ;;
esac
if [ -n "$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >>"$work/wineboot.log" 2>&1
fi
user=$(basename "$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)")
profile="$WINEPREFIX/drive_c/users/$user"
installed="$profile/AppData/Local/Programs/Tobrinel"
menu_entry="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tobrinel.lnk"
conf="$profile/AppData/Roaming/Tobrinel/Tobrinel.conf"
history="$profile/AppData/Roaming/Tobrinel/Tobrinel/games.txt"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tobrinel'

began=$SECONDS
wine "$setup" /S </dev/null >"$work/setup.log" 2>&1 || fail "the silent install failed"
[ -f "$installed/Tobrinel.exe" ] || fail "no Tobrinel.exe in $installed"
[ -f "$installed/platforms/qwindows.dll" ] || fail "the platform plugin was not installed"
[ -f "$installed/licenses/LGPL-3.0-only.txt" ] || fail "Qt's licence was not installed"
[ -f "$menu_entry" ] || fail "no Start menu entry"
wine reg query "$uninstall_key" /v UninstallString </dev/null >"$work/reg.log" 2>&1 ||
    fail "the game is not in the list of installed programs"
grep -q 'Uninstall.exe' "$work/reg.log" || fail "the uninstall entry names no uninstaller: $(cat "$work/reg.log")"
echo "$((SECONDS - began)) s PASS: the silent install put the program, its Start menu entry and its uninstall entry in place"

# --- 2. A whole game with the keyboard, heard ------------------------------------------------
mapfile -t keys < <("$solution" keys)
[ "${#keys[@]}" -gt 46 ] || fail "no keyboard game from $solution"

start_game() {
    wine "$installed/Tobrinel.exe" </dev/null >>"$work/game.log" 2>&1 &
    gamepid=$!
    pids+=($gamepid)
    main=$(window_of "Tobrinel - Karvolen 2003" 60)
    wait_until 10 test "$(active_window)" = "$main" || xdotool windowactivate "$main"
}

parec -d check.monitor --latency-msec=20 --format=s16le --rate=44100 --channels=1 \
    --file-format=wav "$work/game.wav" &
recorder=$!
start_game
shot "$main" main
xdotool key --delay 150 alt+f p
xdotool key --delay 20 "${keys[@]}"
window_of "Selamat yaa, kong !!" >/dev/null
xdotool key ctrl+a && xdotool type Wine && xdotool key Return
wait_until 10 gone "Selamat yaa, kong !!" || fail "the name question stayed open"
# Wine keeps the frameless results window, there already, above every managed window, the
# Black List included: the list is looked at when it opens from the menu, below.
window_of "Hi Scores" >/dev/null
xdotool key Return
wait_until 10 gone "Hi Scores" || fail "Return did not close the Black List"
results=$(window_of "You Win !!!")
shot "$results" results
xdotool key Return
wait_until 10 gone "You Win !!!" || fail "Return did not close the results window"
sleep 1 # the last cue's tail
kill -INT "$recorder"
wait "$recorder" || true
xdotool key --delay 150 alt+f g
window_of "I miss you.." >/dev/null
xdotool key Return
wait_until 20 sh -c "! kill -0 $gamepid" || fail "OK on the exit question did not end the program"
game_ended || fail "the program ended with status $?"
grep -aq "Wine  46" "$conf" || fail "the win is not in the stored list $conf"
grep -q "^v1 .* won 46 " "$history" || fail "the won game is not in the history $history"

# Heard: the level and how long there was sound at all, against the shortest the game's
# cues can make (a move's cue for each of the 46 moves is more than a second of sound).
peak=$(sox "$work/game.wav" -n stat 2>&1 | awk '/^Maximum amplitude/ { print $3 }')
heard=$(sox "$work/game.wav" -n silence -l 1 0.01 1% -1 0.05 1% stat 2>&1 | awk '/^Length/ { print $3 }')
awk -v p="${peak:-0}" -v h="${heard:-0}" 'BEGIN { exit !(p > 0.1 && h > 1.0) }' ||
    fail "the game's cues were not heard: peak ${peak:-none}, ${heard:-0} s of sound"
echo "$((SECONDS - began)) s PASS: a game won by keyboard, named, listed and left; cues heard (peak $peak, $heard s of sound)"

# --- 3. Started again, the result is there ----------------------------------------------------
start_game
xdotool key --delay 150 alt+f b
list=$(window_of "Hi Scores")
shot "$list" blacklist
grep -aq "Wine  46" "$conf" || fail "the stored list lost the win"
xdotool key Return
wait_until 10 gone "Hi Scores" || fail "Return did not close the Black List"
xdotool key y
games=$(window_of "Your games")
shot "$games" yourgames 20
xdotool key Escape
wait_until 10 gone "Your games" || fail "Escape did not close Your games"
xdotool key --delay 150 alt+f g
window_of "I miss you.." >/dev/null
xdotool key Return
wait_until 20 sh -c "! kill -0 $gamepid" || fail "the second run did not end"
game_ended || fail "the second run ended with status $?"
echo "$((SECONDS - began)) s PASS: started again, the Black List opens, the stored list holds the win, Your games shows the history"

# --- 4. The silent uninstall keeps the top ten ---------------------------------------------------
# _?= runs the uninstaller in place and waits for it, instead of a copy in the temporary folder.
wine "$installed/Uninstall.exe" /S "_?=$(winepath -w "$installed")" </dev/null >"$work/uninstall.log" 2>&1 ||
    fail "the silent uninstall failed"
rm -f "$installed/Uninstall.exe" # left behind by _?=, as documented; a normal uninstall removes it
[ ! -e "$installed/Tobrinel.exe" ] || fail "the program is still installed"
[ -z "$(find "$installed" -type f 2>/dev/null)" ] || fail "the uninstall left files: $(find "$installed" -type f)"
[ ! -e "$menu_entry" ] || fail "the Start menu entry is still there"
! wine reg query "$uninstall_key" </dev/null >/dev/null 2>&1 || fail "the uninstall entry is still listed"
grep -aq "Wine  46" "$conf" || fail "uninstalling lost the top ten"
echo "$((SECONDS - began)) s PASS: the silent uninstall removed the program and kept the top ten"
