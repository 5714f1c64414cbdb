# What the look tools share (sourced): a scratch folder, a cleanup that ends what they
# started (their pids, last first), and wait_until: $1 × 50 tries, 20 ms apart.
work=$(mktemp -d)
pids=()
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; wait "${pids[i]}" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
wait_until() {
    local tries=$(($1 * 50)); shift
    until "$@" >/dev/null 2>&1; do tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1; sleep 0.02; done
}
