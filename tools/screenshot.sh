#!/usr/bin/env bash
# The README's picture: the real game in its own X server (Xvfb) under openbox at twice the
# design's size, a game in progress played by xdotool, the main window taken with its frame.
# Run it again after a change to the art:
#   tools/screenshot.sh <build dir> [<out png>, docs/screenshot.png by default]
# The build dir holds tobrinel and tests/desktop/tobrinel_solution (`./run test` builds both).
set -euo pipefail
build=$1
out=${2:-$(dirname "$0")/../docs/screenshot.png}
moves_played=${SCREENSHOT_MOVES:-17}
for tool in Xvfb openbox xdotool xprop import; do
    command -v "$tool" >/dev/null || { echo "screenshot: $tool is not installed" >&2; exit 1; }
done

source "$(dirname "$0")/lookkit.sh"

# No reset: a server resets when its last client leaves and refuses connections meanwhile.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_until 10 test -s "$work/display" || { echo "screenshot: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 QT_LOGGING_RULES="qt.multimedia*=false"
unset QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_until 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

mapfile -t moves < <("$build/tests/desktop/tobrinel_solution")
"$build/tobrinel" >"$work/game.log" 2>&1 &
pids+=($!)
wait_until 10 xdotool search --onlyvisible --name "^Tobrinel - Karvolen 2003\$" || { echo "screenshot: no main window" >&2; exit 1; }
main=$(xdotool search --onlyvisible --name "^Tobrinel - Karvolen 2003\$" | head -n 1)
wait_until 10 sh -c "[ \"\$(xdotool getactivewindow)\" = $main ]"

# Silently: a new game, some moves of a best solution by Tab and Space, and one piece
# picked up, so that the picture shows a game under way.
xdotool key --delay 80 alt+s s alt+f p
cursor=9
keys=()
go_to() {
    local ahead=$((($1 - cursor + 17) % 17)) i
    if [ "$ahead" -le 8 ]; then for ((i = 0; i < ahead; i++)); do keys+=(Tab); done
    else for ((i = 0; i < 17 - ahead; i++)); do keys+=(shift+Tab); done; fi
    cursor=$1
}
for move in "${moves[@]:0:moves_played}"; do
    read -r from to <<<"$move"
    go_to "$from"; keys+=(space)
    go_to "$to"; keys+=(space)
done
read -r from _ <<<"${moves[moves_played]}"
go_to "$from"; keys+=(space)
xdotool key --delay 10 "${keys[@]}"
sleep 3 # the clock shows some seconds, and the last repaint is in
# The window with openbox's frame, as a player sees it.
import -window root -crop "$(xwininfo -id "$main" -frame | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width/ {w=$2} /Height/ {h=$2} END {printf "%dx%d+%d+%d", w, h, x, y}')" \
    +repage -define png:exclude-chunks=date,time +set date:create +set date:modify "$out"
echo "screenshot: $out"
