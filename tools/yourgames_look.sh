#!/usr/bin/env bash
# "Your games" as a player sees it, to look at: the real game in its own X server under
# openbox, with a history of a few dozen games, at each scale given. Takes the window (its
# figures, chart, where the steps go and past games), a position picked from where the
# steps go, and a past game in the review.
#   tools/yourgames_look.sh <build dir> <out dir> [scales, "1 1.5" by default]
# The build dir holds tobrinel and tools/bench/tobrinel_bench_history (which writes the
# history; `cmake --build <dir> --target tobrinel_bench_history`).
set -euo pipefail
build=$1
out=$2
scales=${3:-1 1.5}
for tool in Xvfb openbox xdotool xprop xwininfo import; do
    command -v "$tool" >/dev/null || { echo "yourgames_look: $tool is not installed" >&2; exit 1; }
done
mkdir -p "$out"

source "$(dirname "$0")/lookkit.sh"
shoot() { # window id, file
    import -window root -crop "$(xwininfo -id "$1" -frame | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width/ {w=$2} /Height/ {h=$2} END {printf "%dx%d+%d+%d", w, h, x, y}')" \
        +repage "$2"
    echo "yourgames_look: $2"
}

Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_until 10 test -s "$work/display" || { echo "yourgames_look: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"
export QT_LOGGING_RULES="qt.multimedia*=false"
unset QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_until 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

QT_QPA_PLATFORM=offscreen "$build/tools/bench/tobrinel_bench_history" --write "$XDG_DATA_HOME/Tobrinel/Tobrinel/games.txt" \
    "${LOOK_GAMES:-40}"

for scale in $scales; do
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$build/tobrinel" >"$work/game.log" 2>&1 &
    game=$!
    pids+=($game)
    wait_until 10 xdotool search --onlyvisible --name "^Tobrinel - Karvolen 2003\$" || { echo "yourgames_look: no main window" >&2; exit 1; }
    main=$(xdotool search --onlyvisible --name "^Tobrinel - Karvolen 2003\$" | head -n 1)
    wait_until 10 sh -c "[ \"\$(xdotool getactivewindow)\" = $main ]"
    xdotool key alt+s s # silently

    # The window, once where the steps go is worked out.
    xdotool key y
    wait_until 10 xdotool search --onlyvisible --name "^Your games\$"
    window=$(xdotool search --onlyvisible --name "^Your games\$" | head -n 1)
    sleep 3
    shoot "$window" "$out/yourgames-$scale.png"

    # The first place where the steps go, on the board.
    xdotool key alt+w Return
    sleep 1.5
    shoot "$main" "$out/position-$scale.png"

    # The newest won game in the review (the newest game of this history was left).
    xdotool key Escape y
    wait_until 10 xdotool search --onlyvisible --name "^Your games\$"
    sleep 1
    xdotool key alt+g Down alt+r
    sleep 1.5
    shoot "$main" "$out/review-$scale.png"

    kill "$game"; wait "$game" 2>/dev/null || true
done
