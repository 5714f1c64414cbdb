#!/usr/bin/env bash
# Runs the Windows build's tests under Wine from CTest, one step per call:
#   wine.sh setup            boots the build tree's Wine prefix, its server kept running
#   wine.sh run <exe> [args] runs a test program in it and passes on its exit code
#   wine.sh cleanup          ends everything in the prefix and removes it
# WINEPREFIX, WINEPATH and the other Wine settings come from CTest's environment. Every step
# exits 77, which CTest reports as a skip, when Wine is not installed.
set -u
step=$1
shift
log="$WINEPREFIX.log"
# No menu entries or file associations in the home folder from a test prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"

need() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed (apt-get install wine64 wine)"
            exit 77
        fi
    done
}

# Wine's helper processes outlive the command that started them and keep every
# descriptor it had; on CTest's pipe they would hold the test open for a minute.
detached() {
    (
        for fd in /proc/$BASHPID/fd/*; do
            n=${fd##*/}
            [ "$n" -gt 2 ] && eval "exec $n>&-"
        done
        "$@"
    ) </dev/null >>"$log" 2>&1
}

case $step in
setup)
    need wine wineserver wineboot
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    : >"$log"
    detached wineserver -p30 || { cat "$log"; exit 1; }
    detached wineboot -i || { cat "$log"; exit 1; }
    ;;
run)
    need wine
    exe=$1
    shift
    [ -f "$exe" ] || { echo "FAIL: $exe was not built"; exit 1; }
    # Through a file for the same reason: should the server have gone, this call starts a
    # new one, whose helpers must not hold CTest's pipe.
    out=$(mktemp "$WINEPREFIX.out.XXXXXX")
    wine "$exe" "$@" </dev/null >"$out" 2>&1
    rc=$?
    cat "$out"
    rm -f "$out"
    exit $rc
    ;;
cleanup)
    need wineserver
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    # A helper caught half-started by the kill waits forever on a pipe of its own; end
    # whatever still runs in this prefix, and only that.
    for env in /proc/[0-9]*/environ; do
        pid=${env#/proc/}
        pid=${pid%/environ}
        [ "$pid" = "$$" ] && continue
        if tr '\0' '\n' <"$env" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$WINEPREFIX" "$log"
    ;;
*)
    echo "usage: wine.sh setup|run <exe> [args]|cleanup" >&2
    exit 2
    ;;
esac
