# Shell helpers the desktop tests share (sourced): waiting, the game's windows found by
# their exact titles with xdotool, and failing with the logs. The script that sources it
# sets work (its scratch folder, whose *.log files a failure shows) and, for game_ended,
# gamepid and pids; it may define on_failure, which a failure runs before the logs, and set
# window_wait, how many seconds window_of waits for a window (10 unless set).

# To standard error, so that a failure inside $(...) or under >/dev/null is still told.
fail() {
    {
        echo "FAIL: $*"
        if declare -F on_failure >/dev/null; then on_failure; fi
        for log in "$work"/*.log; do
            [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -n 20 "$log"; }
        done
    } >&2
    exit 1
}

# Waits until cmd succeeds: $1 × 50 tries, 20 ms apart, so at least $1 seconds (more when
# cmd itself is slow).
wait_until() {
    local tries=$(($1 * 50))
    shift
    until "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.02
    done
}

# The one visible window whose title is exactly $1 (printed), or failure.
visible_window() {
    local ids
    ids=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) || return 1
    [ "$(wc -l <<<"$ids")" -eq 1 ] || return 1
    echo "$ids"
}

window_of() {
    wait_until "${2:-${window_wait:-10}}" visible_window "$1" || fail "no window \"$1\""
    visible_window "$1"
}

gone() { ! visible_window "$1"; }

active_window() { xdotool getactivewindow 2>/dev/null; }

# Waits for the game to end and forgets its number, so that the cleanup cannot kill
# whatever process carries it next.
game_ended() {
    local status=0 keep=() pid
    wait "$gamepid" || status=$?
    for pid in "${pids[@]}"; do [ "$pid" = "$gamepid" ] || keep+=("$pid"); done
    pids=("${keep[@]}")
    return "$status"
}
