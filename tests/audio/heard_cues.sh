#!/usr/bin/env bash
# Hears the cues for real: starts a private PulseAudio server whose only sink is a null
# sink, records that sink's monitor while cueplay plays cues through the program's own
# sound path, and measures the recordings with sox. Checks that every cue sounds for its
# whole length, that a new cue cuts off the one still sounding, and that neither a missing
# nor a frozen server holds up a cue or the way out.
# Usage: heard_cues.sh <cueplay> <folder with 1.wav .. 6.wav> [<tolerance in seconds>]
# Exit 77 (skipped) only when the audio tools are not installed.
set -uo pipefail

PLAYER=$1
SOUNDS=$2
# How far the sounding length may be from the file's, in seconds; Wine's PulseAudio driver
# mixes through a buffer of its own and adds a few tens of milliseconds of tail.
TOLERANCE=${3:-0.05}

for tool in pulseaudio pactl parec sox soxi timeout; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (./run installs pulseaudio, pulseaudio-utils and sox)"
        exit 77
    fi
done

PA_DIR=$(mktemp -d)
SERVER_PID=""
cleanup() {
    if [ -n "$SERVER_PID" ]; then
        kill -CONT "$SERVER_PID" 2>/dev/null
        kill "$SERVER_PID" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$SERVER_PID" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$SERVER_PID" 2>/dev/null
    fi
    jobs -p | xargs -r kill -KILL 2>/dev/null
    rm -rf "$PA_DIR"
}
trap cleanup EXIT

mkdir -p "$PA_DIR/runtime" "$PA_DIR/home"
chmod 700 "$PA_DIR/runtime"
export XDG_RUNTIME_DIR="$PA_DIR/runtime"
export HOME="$PA_DIR/home"
# The null sink needs norewinds=1 and the recorder a short latency, or recordings come out
# silent or lose their start. -n: no default modules, so this sink is the only one.
timeout 20 pulseaudio -n --daemonize=yes --use-pid-file=yes --exit-idle-time=-1 --disallow-exit \
    --log-target=file:"$PA_DIR/pulse.log" \
    -L "module-native-protocol-unix socket=$PA_DIR/native auth-anonymous=1" \
    -L "module-null-sink sink_name=check norewinds=1 rate=44100 channels=1"
export PULSE_SERVER="unix:$PA_DIR/native"
for _ in $(seq 50); do timeout 5 pactl info >/dev/null 2>&1 && break; sleep 0.1; done
SERVER_PID=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null)
if [ -z "$SERVER_PID" ] || ! timeout 5 pactl info >/dev/null 2>&1; then
    echo "FAIL: the private PulseAudio server did not start"
    cat "$PA_DIR/pulse.log" 2>/dev/null
    exit 1
fi

passed=0
failed=0
pass() { echo "PASS: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
# within A B TOL: |A - B| <= TOL
within() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
less() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# Seconds from the first to the last sound above 1% of full scale.
audible() {
    sox "$1" -n silence 1 0.01 1% reverse silence 1 0.01 1% reverse stat 2>&1 | awk '/^Length/ { print $3 }'
}
peak() {
    sox "$1" -n stat 2>&1 | awk '/^Maximum amplitude/ { print $3 }'
}
now_ms() { date +%s%3N; }

# play NAME ARGS...: runs cueplay with ARGS; leaves the wall time in RAN_MS, its exit
# status in RAN_STATUS, the slowest play in SLOWEST_US and the slowest hand-over to
# the back end in START_US. A play that waited on the server would take seconds;
# 20 ms leaves room for a loaded machine.
play() {
    local name=$1; shift
    local t0; t0=$(now_ms)
    timeout 30 "$PLAYER" "$@" >"$PA_DIR/$name.out" 2>"$PA_DIR/$name.err"
    RAN_STATUS=$?
    RAN_MS=$(( $(now_ms) - t0 ))
    SLOWEST_US=$(awk '/^slowest-play-us/ { sub(/\r$/, "", $2); print $2 }' "$PA_DIR/$name.out")
    START_US=$(awk '/^slowest-start-us/ { sub(/\r$/, "", $2); print $2 }' "$PA_DIR/$name.out")
}

# record NAME ARGS...: plays while recording the sink's monitor into $PA_DIR/NAME.wav.
record() {
    local name=$1
    parec -d check.monitor --latency-msec=20 --format=s16le --rate=44100 --channels=1 \
        --file-format=wav "$PA_DIR/$name.wav" &
    local rec=$!
    sleep 0.5
    play "$@"
    sleep 0.3
    kill -INT "$rec"
    wait "$rec"
}

# Each cue on its own: heard, and for as long as the file itself sounds.
for id in 1 2 3 4 5 6; do
    file="$SOUNDS/$id.wav"
    length=$(soxi -D "$file")
    wait_ms=$(awk -v l="$length" 'BEGIN { printf "%d", l * 1000 + 700 }')
    record "cue$id" "$id" "+$wait_ms"
    expected=$(audible "$file")
    heard=$(audible "$PA_DIR/cue$id.wav")
    level=$(peak "$PA_DIR/cue$id.wav")
    if [ "$RAN_STATUS" -ne 0 ]; then
        fail "cue $id: cueplay exited with $RAN_STATUS"; cat "$PA_DIR/cue$id.err"
    elif ! less 0.1 "${level:-0}"; then
        fail "cue $id: nothing heard (peak ${level:-none})"
    elif ! within "${heard:-0}" "$expected" "$TOLERANCE"; then
        fail "cue $id: sounded ${heard:-0} s, the file sounds $expected s (length $length s)"
    else
        pass "cue $id sounded $heard s of its $expected s (length $length s), peak $level"
    fi
done

# A new cue cuts off the one still sounding: the 5.6 s jingle, after 0.5 s the click. The
# back end is loaded at the first cue of a run, which may sound a moment late; a click
# first takes that out of the measurement, and what is measured starts 0.25 s after it.
record cutoff 6 +400 2 +500 6 +1000
click=$(audible "$SOUNDS/6.wav")
expected=$(awk -v c="$click" 'BEGIN { print 0.5 + c }')
sox "$PA_DIR/cutoff.wav" "$PA_DIR/cutoff-after-click.wav" silence 1 0.01 1% trim 0.25
heard=$(audible "$PA_DIR/cutoff-after-click.wav")
if [ "$RAN_STATUS" -ne 0 ]; then
    fail "cut-off: cueplay exited with $RAN_STATUS"
elif within "${heard:-0}" "$expected" "$TOLERANCE"; then
    pass "cue 2 cut off by cue 6 after 0.5 s: $heard s in all"
else
    fail "cut-off: sounded ${heard:-0} s in all, expected about $expected s"
fi

# Leaving while a long cue still sounds ends at once.
play leave 2 +200
if [ "$RAN_STATUS" -eq 0 ] && [ "$RAN_MS" -lt 2500 ]; then
    pass "left 0.2 s into the jingle: cueplay ran $RAN_MS ms"
else
    fail "leaving during a cue: status $RAN_STATUS after $RAN_MS ms"
fi

# No server at all: silent, at once, and out promptly.
PULSE_SERVER="unix:$PA_DIR/no-such-socket" play noserver 6 +100 1 +100 3
if [ "$RAN_STATUS" -eq 0 ] && [ "$RAN_MS" -lt 2500 ] && [ "${SLOWEST_US:-999999}" -lt 20000 ]; then
    pass "no server: slowest play ${SLOWEST_US} us (hand-over ${START_US} us), cueplay ran $RAN_MS ms"
else
    fail "no server: status $RAN_STATUS, slowest play ${SLOWEST_US:-none} us, ran $RAN_MS ms"
    cat "$PA_DIR/noserver.err"
fi

# A server frozen before the first cue: the back end's very first connection hangs.
kill -STOP "$SERVER_PID"
play frozenfirst 1 +200 3
kill -CONT "$SERVER_PID"
if [ "$RAN_STATUS" -eq 0 ] && [ "$RAN_MS" -lt 2500 ] && [ "${SLOWEST_US:-999999}" -lt 20000 ]; then
    pass "server frozen from the start: slowest play ${SLOWEST_US} us (hand-over ${START_US} us), cueplay ran $RAN_MS ms"
else
    fail "server frozen from the start: status $RAN_STATUS, slowest play ${SLOWEST_US:-none} us, ran $RAN_MS ms"
    cat "$PA_DIR/frozenfirst.err"
fi

# A server that freezes mid-game (stopped, its socket still open): the next cue must not
# hold up the caller, and leaving must not wait on the server for more than a moment.
t0=$(now_ms)
timeout 30 "$PLAYER" 6 +1500 1 +300 3 >"$PA_DIR/frozen.out" 2>"$PA_DIR/frozen.err" &
player=$!
sleep 0.8
kill -STOP "$SERVER_PID"
wait "$player"
RAN_STATUS=$?
RAN_MS=$(( $(now_ms) - t0 ))
kill -CONT "$SERVER_PID"
SLOWEST_US=$(awk '/^slowest-play-us/ { sub(/\r$/, "", $2); print $2 }' "$PA_DIR/frozen.out")
START_US=$(awk '/^slowest-start-us/ { sub(/\r$/, "", $2); print $2 }' "$PA_DIR/frozen.out")
if [ "$RAN_STATUS" -eq 0 ] && [ "$RAN_MS" -lt 4500 ] && [ "${SLOWEST_US:-999999}" -lt 20000 ]; then
    pass "frozen server: slowest play ${SLOWEST_US} us (hand-over ${START_US} us), cueplay ran $RAN_MS ms"
else
    fail "frozen server: status $RAN_STATUS, slowest play ${SLOWEST_US:-none} us, ran $RAN_MS ms"
    cat "$PA_DIR/frozen.err"
fi

echo "$passed checks passed, $failed checks failed"
[ "$failed" -eq 0 ]
