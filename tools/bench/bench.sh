#!/usr/bin/env bash
# Measures the game against the bare window in a private X server (Xvfb at 1x), with a
# private session bus and, when PulseAudio is installed, a private sound server whose only
# sink is a null sink. Settings go to a private folder that holds a full top ten, and a
# private data folder holds a history of 10,000 games. Prints
# the figures; fails when something cannot be measured, or when start-up, CPU or memory
# pass BENCH_LIMIT (1.25) times the bare window's: far beyond the noise between runs
# (a few hundredths), so only a real regression trips it.
# Usage: bench.sh <build dir>   (the dir holds tobrinel and tools/bench/*)
set -uo pipefail

BUILD=$1
GAME=$BUILD/tobrinel
BARE=$BUILD/tools/bench/tobrinel_bench_bare
DRIVER=$BUILD/tools/bench/tobrinel_bench_driver
HISTORY=$BUILD/tools/bench/tobrinel_bench_history
ROUNDS=${BENCH_ROUNDS:-15}
CLICKS=${BENCH_CLICKS:-1000}
LIMIT=${BENCH_LIMIT:-1.25}

for f in "$GAME" "$BARE" "$DRIVER" "$HISTORY"; do
    [ -x "$f" ] || { echo "bench: cannot measure: $f is not built" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "bench: cannot measure: Xvfb is not installed" >&2; exit 1; }

# Other work on the machine is the largest noise; where allowed, everything measured here
# (the X server included) runs ahead of it. Both programs get the same treatment.
priority="normal priority"
renice -n -10 $$ >/dev/null 2>&1 && priority="priority raised (nice -10)"

WORK=$(mktemp -d)
XVFB_PID=""; BUS_PID=""; PULSE_PID=""
cleanup() {
    for pid in $PULSE_PID $BUS_PID $XVFB_PID; do kill "$pid" 2>/dev/null; done
    for pid in $PULSE_PID $BUS_PID $XVFB_PID; do
        for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$pid" 2>/dev/null
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

mkdir -p "$WORK/runtime" "$WORK/config/Tobrinel" "$WORK/data"
chmod 700 "$WORK/runtime"
export XDG_RUNTIME_DIR="$WORK/runtime" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_LOGGING_RULES
export QT_QPA_PLATFORM=xcb
# A player's table is full: ten entries to read.
{
    echo "[HiScores]"
    for i in $(seq 0 9); do echo "$i=Player$(( 900 - i * 80 ))"; done
} >"$WORK/config/Tobrinel/Tobrinel.conf"

# And a long history of games, which start-up must not read: the figures below are taken
# with it in place.
QT_QPA_PLATFORM=offscreen "$HISTORY" --write "$WORK/data/Tobrinel/Tobrinel/games.txt" 10000 >"$WORK/history-size" 2>&1 \
    || { echo "bench: cannot write the history" >&2; cat "$WORK/history-size" >&2; exit 1; }

# No reset: as on a desktop, the server stays as it is between rounds; one that resets
# when a round's program leaves would refuse the next one's connection meanwhile.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
[ -s "$WORK/display" ] || { echo "bench: cannot measure: Xvfb did not start" >&2; cat "$WORK/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$WORK/display")"

bus="no session bus"
export DBUS_SESSION_BUS_ADDRESS="disabled:"
if command -v dbus-daemon >/dev/null; then
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$WORK/bus" >/dev/null 2>&1 &
    BUS_PID=$!
    for _ in $(seq 50); do [ -S "$WORK/bus" ] && break; sleep 0.05; done
    if [ -S "$WORK/bus" ]; then
        export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/bus"
        bus="a private session bus"
    fi
fi

sound="no sound server"
export PULSE_SERVER="unix:$WORK/no-sound-server"
if command -v pulseaudio >/dev/null; then
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=file:"$WORK/pulse.log" \
        -L "module-native-protocol-unix socket=$WORK/pulse auth-anonymous=1" \
        -L "module-null-sink sink_name=bench rate=44100 channels=1" >/dev/null 2>&1 &
    PULSE_PID=$!
    for _ in $(seq 50); do [ -S "$WORK/pulse" ] && break; sleep 0.05; done
    if [ -S "$WORK/pulse" ]; then
        export PULSE_SERVER="unix:$WORK/pulse"
        sound="a private PulseAudio null sink"
    fi
fi

echo "Tobrinel bench: $ROUNDS rounds of each program, interleaved; Xvfb 1x; $bus; $sound; $priority; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
if ! "$DRIVER" --game "$GAME" --bare "$BARE" --rounds "$ROUNDS" --clicks "$CLICKS" --log "$WORK/programs.log" \
        | tee "$WORK/figures"; then
    echo "--- what the programs printed:" >&2
    tail -20 "$WORK/programs.log" >&2
    exit 1
fi
# "Your games" over that history, inside the game's own process.
cat "$WORK/history-size"
if ! QT_QPA_PLATFORM=xcb "$HISTORY" --open "${BENCH_HISTORY_ROUNDS:-7}" 2>>"$WORK/programs.log"; then
    echo "bench: cannot measure the Your games window" >&2
    tail -20 "$WORK/programs.log" >&2
    exit 1
fi
strip -o "$WORK/stripped" "$GAME" 2>/dev/null || cp "$GAME" "$WORK/stripped"
awk -v a="$(stat -c %s "$GAME")" -v s="$(stat -c %s "$WORK/stripped")" \
    'BEGIN { printf "  %-34s %9.2f MB stripped (%.2f MB as built)\n", "executable", s / 1048576, a / 1048576 }'

# The gate: the ratio column of the three rows that the game's own start decides.
over=$(awk -v limit="$LIMIT" '
    /start-up, exec to window mapped|CPU used by then|resident memory 1 s after exec/ {
        for (i = 1; i <= NF; i++) if ($i ~ /^[0-9.]+x$/) { r = $i; sub(/x$/, "", r)
            if (r + 0 > limit + 0) { sub(/^ +/, ""); print "  " $0 } }
    }' "$WORK/figures")
if [ -n "$over" ]; then
    echo "bench: the game costs more than ${LIMIT}x the bare window:" >&2
    echo "$over" >&2
    exit 1
fi
