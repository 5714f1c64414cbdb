# The set-up the X11 desktop drivers share (sourced after they read their arguments, with
# layout set): the board's layout as the build wrote it, the tools they need, a scratch
# folder, and a cleanup that ends everything they started, the session bus's own children
# last; then the window helpers.

# CLIENT_PIXELS and the cells' centres, as the build wrote them from the game's layout.
# shellcheck source=/dev/null
source "$layout" || { echo "FAIL: no board layout in $layout (the build writes it)"; exit 1; }
read -ra cellX <<<"$CELL_CENTRE_X"
read -ra cellY <<<"$CELL_CENTRE_Y"
for tool in Xvfb openbox xdotool xprop xwininfo dbus-daemon gdbus; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (./run test installs it)"; exit 1; }
done

work=$(mktemp -d)
pids=()
# What the session bus started on its own (the accessibility bus, its daemon and its
# registry) is not our child: it is known by the runtime folder it inherited from us.
started_by_the_bus() {
    local proc
    for proc in /proc/[0-9]*; do
        grep -qzx "XDG_RUNTIME_DIR=$work/runtime" "$proc/environ" 2>/dev/null && echo "${proc#/proc/}"
    done
    return 0
}
cleanup() {
    local i
    # Those go last, after the game and the bus.
    if [ -n "${buspid:-}" ]; then pids=($(started_by_the_bus) "${pids[@]}"); fi
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../support/xwindows.sh"
