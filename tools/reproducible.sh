#!/usr/bin/env bash
# Builds the Debian package twice, from two fresh clones of this repository's HEAD in two
# folders of different names, and checks that the .deb files are byte for byte the same.
# On a difference it says which member of which package differs (and, where diffoscope is
# installed, how).
#   tools/reproducible.sh [work dir]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
rm -rf "$work/first" "$work/second-build"
mkdir -p "$work"

for tree in first second-build; do
    git clone -q --no-hardlinks "$src" "$work/$tree/tobrinel"
    "$work/$tree/tobrinel/tools/buildpackage.sh" "$work/$tree/out" >/dev/null
done

status=0
for deb in "$work"/first/out/*.deb; do
    name=$(basename "$deb")
    other=$work/second-build/out/$name
    if cmp -s "$deb" "$other"; then
        echo "same: $name $(sha256sum <"$deb" | cut -d' ' -f1)"
        continue
    fi
    status=1
    echo "DIFFERENT: $name"
    for side in first second-build; do
        mkdir -p "$work/$side/unpacked/$name"
        dpkg-deb -R "$work/$side/out/$name" "$work/$side/unpacked/$name"
    done
    # Symbolic links compared as links: the -dbgsym doc link points at the main package.
    diff -rq --no-dereference "$work/first/unpacked/$name" "$work/second-build/unpacked/$name" || true
    if command -v diffoscope >/dev/null; then
        diffoscope --text - "$deb" "$other" | head -100 || true
    fi
done
[ "$status" -eq 0 ] && echo "reproducible: both builds gave the same packages"
exit $status
