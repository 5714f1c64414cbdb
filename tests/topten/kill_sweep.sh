#!/usr/bin/env bash
# A copy of the game killed before each file call of loading and saving the top ten, and
# after each kill a normal start and a win, as when the machine is switched off or the
# game is killed at the worst moment. After every kill the next copy must:
#  - find the list whole, the old one or the new one with the killed copy's win;
#  - store its own win without a word to the player, and without waiting for the dead
#    copy's lock;
#  - leave no file of the killed copy behind, in the settings folder or the temporary one.
# The calls are found by tracing one save (strace); each is then hit by its own run, as
# the n-th call of that name.
# Usage: kill_sweep.sh <racesaver>
set -euo pipefail

saver=$(realpath "$1")
command -v strace >/dev/null || { echo "FAIL: strace is not installed (./run test installs it)"; exit 1; }
work=$(mktemp -d)
# Run through private_mounts.sh, root gets a memory disk for the sweep: the fault is the
# kill, and the real disk's flushes would make 200 saves take minutes.
if mount -t tmpfs -o size=64m tobrinel-sweep "$work" 2>/dev/null; then
    trap 'umount "$work"; rm -rf "$work"' EXIT
else
    trap 'rm -rf "$work"' EXIT
fi
export TMPDIR="$work/tmp"
settings="$work/settings"
seed="$work/seed"
list="$settings/Tobrinel/Tobrinel.conf"

# One copy of the game that loads the list and saves a win; its reports go to $work/said.
save() { # <name> <steps> [strace options...]
    local name=$1 steps=$2
    shift 2
    if [ $# -gt 0 ]; then
        # In a subshell, so that the shell's word on the killed job goes nowhere.
        (echo go | strace -f -qq -o /dev/null "$@" "$saver" "$settings" "$name" "$steps" >"$work/said" 2>&1) 2>/dev/null
    else
        echo go | "$saver" "$settings" "$name" "$steps" >"$work/said" 2>&1
    fi
}

# A full list to start from each time: ten wins of 50 to 59 steps, A the best.
mkdir -p "$TMPDIR"
steps=50
for name in A B C D E F G H I J; do
    save "$name" "$steps" || { echo "FAIL: the seed save of $name: $(cat "$work/said")"; exit 1; }
    steps=$((steps + 1))
done
cp -a "$settings" "$seed"
restore() {
    rm -rf "$settings" "$TMPDIR"
    cp -a "$seed" "$settings"
    mkdir -p "$TMPDIR"
}
files_of() { (cd "$work" && find settings tmp -mindepth 1 | sort); }
restore
clean=$(files_of)

# The calls of one save that touch the settings or the temporary folder, each as
# "<call> <how many calls of that name so far>".
restore
echo go | strace -f -qq -y -e trace=%file,%desc -o "$work/trace" "$saver" "$settings" K 48 >/dev/null
mapfile -t points < <(awk -v work="$work" '
    { call = $2; sub(/\(.*/, "", call); seen[call]++ }
    index($0, work) && call != "execve" { print call, seen[call] }' "$work/trace")
[ "${#points[@]}" -gt 50 ] || { echo "FAIL: only ${#points[@]} file calls traced"; exit 1; }

# The game leaves a "Tobrinel.conf.<six characters>" that could have been typed (letters
# with no capital after the first, or digits alone): it may be the player's own copy, such
# as ".backup". A killed save's replace that drew such a name by chance (about one in a
# hundred) is kept by design, so it is no fault here.
typed_looking() {
    local name
    for name in $(files_of); do
        [[ $name =~ ^settings/Tobrinel/Tobrinel\.conf\.([A-Za-z][a-z]{5}|[0-9]{6})$ ]] && echo "$name"
    done
    return 0
}

failures=0
slowest=0
for point in "${points[@]}"; do
    read -r call nth <<<"$point"
    restore
    if save K 48 -e trace="$call" -e inject="$call":signal=KILL:when="$nth"; then
        echo "note: the save was not killed at $call #$nth"
    fi
    began=$(date +%s%N)
    if ! save Next 47; then
        echo "FAIL at $call #$nth: the next win was not stored: $(cat "$work/said")"
        failures=$((failures + 1))
        continue
    fi
    took=$((($(date +%s%N) - began) / 1000000))
    [ "$took" -le "$slowest" ] || slowest=$took
    # Stored weakest first. Next is the best; A to H stay; then I, or the killed copy's K.
    body=$(grep -E '^[0-9]=' "$list" | sed 's/ *[0-9]*$//')
    expected_old=$(printf '%s\n' 0=I 1=H 2=G 3=F 4=E 5=D 6=C 7=B 8=A 9=Next)
    expected_new=$(printf '%s\n' 0=H 1=G 2=F 3=E 4=D 5=C 6=B 7=A 8=K 9=Next)
    if [ "$body" != "$expected_old" ] && [ "$body" != "$expected_new" ]; then
        echo "FAIL at $call #$nth: the list is not whole:"
        sed 's/^/    /' "$list"
        failures=$((failures + 1))
    fi
    if [ "$took" -gt 5000 ]; then
        echo "FAIL at $call #$nth: the next start and save took $took ms (waited for a dead copy's lock)"
        failures=$((failures + 1))
    fi
    left=$(comm -13 <(echo "$clean") <(files_of) | grep -v -x -f <(typed_looking) || true)
    if [ -n "$left" ]; then
        echo "FAIL at $call #$nth: the killed save left $(echo "$left" | tr '\n' ' ')"
        failures=$((failures + 1))
    fi
done
echo "${#points[@]} kills; the slowest next start and save took $slowest ms"
[ "$failures" -eq 0 ] || { echo "FAIL: $failures faults"; exit 1; }
echo "PASS: no result lost, no wait for a dead copy, nothing left behind"
