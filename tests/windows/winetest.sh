#!/usr/bin/env bash
# Drives the Wine test of platform/registry_win.cpp from CTest, one step per call:
#   winetest.sh build|setup|run|cleanup <build dir> <source dir>
# WINEPREFIX and the other Wine settings come from CTest's environment. Every step exits
# 77, which CTest reports as a skip, when mingw-w64 or Wine is not installed.
set -u
step=$1
bin=$2
src=$3
exe="$bin/tst_registry_win.exe"
log="$bin/wine.log"
# No menu entries or file associations in the home folder from a test prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"

need() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed (apt-get install g++-mingw-w64-x86-64 wine64 wine)"
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
build)
    need x86_64-w64-mingw32-g++
    exec x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -static -I"$src" \
        -o "$exe" "$src/platform/registry_win.cpp" "$src/tests/windows/tst_registry_win.cpp"
    ;;
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
    [ -f "$exe" ] || { echo "FAIL: $exe was not built"; exit 1; }
    # Through a file for the same reason: should the server have gone, this call starts a new one.
    out="$bin/tst_registry_win.out"
    wine "$exe" </dev/null >"$out" 2>&1
    rc=$?
    cat "$out"
    exit $rc
    ;;
cleanup)
    need wineserver
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    # A helper caught half-started by the kill (seen under load) waits forever on a
    # pipe of its own; end whatever still runs in this prefix, and only that.
    for env in /proc/[0-9]*/environ; do
        pid=${env#/proc/}
        pid=${pid%/environ}
        [ "$pid" = "$$" ] && continue
        if tr '\0' '\n' <"$env" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$WINEPREFIX"
    ;;
*)
    echo "usage: winetest.sh build|setup|run|cleanup <build dir> <source dir>" >&2
    exit 2
    ;;
esac
