#!/usr/bin/env bash
# Drives the Wine test of platform/registry_win.cpp from CTest, one step per call:
#   winetest.sh build|setup|run|cleanup <build dir> <source dir>
# The Wine prefix is booted and removed as for the Windows build's suites (wine.sh).
# WINEPREFIX and the other Wine settings come from CTest's environment. Every step exits
# 77, which CTest reports as a skip, when mingw-w64 or Wine is not installed.
set -u
step=$1
bin=$2
src=$3
exe="$bin/tst_registry_win.exe"

need() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed (apt-get install g++-mingw-w64-x86-64 wine64 wine)"
            exit 77
        fi
    done
}

case $step in
build)
    need x86_64-w64-mingw32-g++
    exec x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -static -I"$src" \
        -o "$exe" "$src/platform/registry_win.cpp" "$src/tests/windows/tst_registry_win.cpp"
    ;;
setup | cleanup)
    exec bash "$(dirname "$0")/wine.sh" "$step"
    ;;
run)
    need wine
    [ -f "$exe" ] || { echo "FAIL: $exe was not built"; exit 1; }
    # Through a file: Wine's helpers keep every descriptor they are given, and on CTest's
    # pipe they would hold the test open.
    out="$bin/tst_registry_win.out"
    wine "$exe" </dev/null >"$out" 2>&1
    rc=$?
    cat "$out"
    exit $rc
    ;;
*)
    echo "usage: winetest.sh build|setup|run|cleanup <build dir> <source dir>" >&2
    exit 2
    ;;
esac
