#!/usr/bin/env bash
# Measures the game's start-up under Wine against the bare Qt window built the same way
# (a benchmark, not a test): both from the player's folder of the package, in turns, on
# a private X server with a window manager and a Wine prefix whose server and desktop
# stay up (as on a player's running Windows), from the start of the command to the
# window shown.
#   startup.sh <build-win> [runs, 9 by default]
set -euo pipefail
build=$1
runs=${2:-9}
stage=$build/package/Tobrinel
[ -f "$stage/Tobrinel.exe" ] || { echo "startup.sh: no $stage/Tobrinel.exe (./run windows)" >&2; exit 1; }
[ -f "$build/tobrinel_bench_bare.exe" ] || { echo "startup.sh: no bare window (--target tobrinel_bench_bare)" >&2; exit 1; }

work=$(mktemp -d)
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k >/dev/null 2>&1 || true
    kill "${pids[@]}" 2>/dev/null || true
    rm -rf "$work"
}
pids=()
trap cleanup EXIT
cp -r "$stage" "$work/game"
cp "$build/tobrinel_bench_bare.exe" "$work/game/"
x86_64-w64-mingw32-strip --strip-unneeded "$work/game/tobrinel_bench_bare.exe"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME=$work/xdg XDG_CONFIG_HOME=$work/xdg HOME=$work/home
mkdir -p "$HOME"

Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
# The server made persistent first, in a prefix folder that exists, then the prefix booted.
mkdir -p "$WINEPREFIX"
(wineserver -p && wineboot -i) </dev/null >/dev/null 2>&1

# Milliseconds from the command to its window, visible.
one() {
    local exe=$1 title=$2 t0 t1 pid
    t0=$(date +%s%N)
    wine "$work/game/$exe" </dev/null >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.005; done
    t1=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sleep 0.3
    echo $(((t1 - t0) / 1000000))
}
# One of each first, not counted: the first start fills the caches.
one Tobrinel.exe "Tobrinel - Karvolen 2003" >/dev/null
one tobrinel_bench_bare.exe "Bare window" >/dev/null
game=()
bare=()
for _ in $(seq "$runs"); do
    game+=("$(one Tobrinel.exe "Tobrinel - Karvolen 2003")")
    bare+=("$(one tobrinel_bench_bare.exe "Bare window")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
g=$(median "${game[@]}")
b=$(median "${bare[@]}")
echo "start-up under Wine, median of $runs: game $g ms, bare window $b ms, ratio $(awk -v g="$g" -v b="$b" 'BEGIN { printf "%.2f", g / b }')"
echo "  game: ${game[*]}"
echo "  bare: ${bare[*]}"
