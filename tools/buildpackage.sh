#!/usr/bin/env bash
# Builds the Debian package with Debian's own tooling (dpkg-buildpackage, debhelper) from a
# clean copy of the source, so that nothing of a build tree or of the folder the source
# lies in can reach the package:
#   tools/buildpackage.sh <out dir>
# The .deb files end up in <out dir>; the copy is built in <out dir>/src and removed.
# Tests are not run here: `./run test` runs them.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
tree=$out/src/tobrinel-$version

rm -rf "$out/src"
mkdir -p "$tree"
# The files the project tracks; in a folder without git (an unpacked tarball), all but
# build trees.
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$src" && git ls-files -z --cached --others --exclude-standard) |
        (cd "$src" && xargs -0 cp --parents -t "$tree")
else
    (cd "$src" && find . -mindepth 1 -maxdepth 1 ! -name 'build*' ! -name .git -exec cp -a -t "$tree" {} +)
fi
# Every file dated from the changelog, as a source package unpacks; the build's own
# timestamps come from SOURCE_DATE_EPOCH, which dpkg-buildpackage takes from there too.
epoch=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Timestamp)
find "$tree" -exec touch -h -d "@$epoch" {} +

(cd "$tree" && DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -b -us -uc) >"$out/build.log" 2>&1 ||
    { tail -40 "$out/build.log" >&2; echo "buildpackage: dpkg-buildpackage failed (all of it in $out/build.log)" >&2; exit 1; }
# dpkg-buildpackage writes next to the tree it built.
mv "$out"/src/*.deb "$out"/src/*.buildinfo "$out"/src/*.changes "$out/"
rm -rf "$out/src"
ls "$out"/*.deb
