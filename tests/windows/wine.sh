#!/usr/bin/env bash
# Runs the Windows build's tests under Wine from CTest, one step per call:
#   wine.sh setup            boots the build tree's Wine prefix, its server kept running
#   wine.sh qtest <exe>       runs a Qt Test suite in it, shows its report and passes on
#                             its exit code
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
qtest)
    need wine
    exe=$1
    [ -f "$exe" ] || { echo "FAIL: $exe was not built"; exit 1; }
    # Qt Test on Windows sends its report to the debugger's log unless told a file: the
    # report goes to one, shown once the suite has ended.
    out=$(mktemp "$WINEPREFIX.out.XXXXXX")
    report=$(mktemp "$WINEPREFIX.report.XXXXXX")
    wine "$exe" -o "$report,txt" </dev/null >"$out" 2>&1
    rc=$?
    tr -d '\r' <"$report"
    grep -v -e 'wine32' -e 'multiarch needs' -e 'dpkg --add-architecture' -e 'apt-get install wine32' "$out"
    rm -f "$out" "$report"
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
        if tr '\0' '\n' 2>/dev/null <"$env" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$WINEPREFIX" "$log"
    ;;
*)
    echo "usage: wine.sh setup|qtest <exe>|cleanup" >&2
    exit 2
    ;;
esac
