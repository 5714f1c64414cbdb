#!/usr/bin/env bash
# Builds the Qt the Windows game links: Debian's own qt6-base source, the same version as
# the host's Qt tools, cross-compiled with mingw-w64 for 64-bit Windows with only what the
# game uses (Core, Gui, Widgets, Test, the Windows platform plugin and style).
#
#   tools/windows/build-qt.sh [shared|static]
#
# The result goes into a cache outside the source tree, in a folder named after a hash of
# everything that decides it (this script, the toolchain file, the Qt source version, the
# compiler's version), so a second run, or another clone, reuses it, and a change to any
# input builds anew beside it. The last line printed is the installed Qt's folder.
# A lock lets a second caller (CI's background build and `./run windows`) wait for the
# first instead of building the same Qt twice.
set -euo pipefail
# Everything but the answer goes to the standard error: configure and ninja talk a lot.
exec 3>&1 1>&2

link=${1:-shared}
case $link in shared|static) ;; *) echo "usage: $0 [shared|static]" >&2; exit 2 ;; esac

here=$(cd "$(dirname "$0")" && pwd)
cache=${TOBRINEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tobrinel}
toolchain=$here/mingw-w64.cmake
compiler=x86_64-w64-mingw32-g++-posix

# The host tools (moc, rcc, uic) come from Debian's qt6-base-dev, so the source must be
# the very same version.
qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$qt_version" ]; then
    echo "build-qt.sh: qt6-base-dev is not installed (its host tools build the Windows Qt)"
    exit 1
fi
command -v "$compiler" >/dev/null || { echo "build-qt.sh: $compiler is missing" >&2; exit 1; }

# Only Core, Gui, Widgets and Test: no OpenGL, network, SQL, printing or XML; Qt's own
# copies of zlib, libpng, FreeType, HarfBuzz and PCRE, since mingw has none of them.
# Tablet events need wintab, which Debian's source drops; DirectWrite 3 without Direct2D
# leaves the platform plugin with a font database Gui never built. The GDI font database
# is the default anyway.
configure_options=(
    -xplatform win32-g++ -qt-host-path /usr -release -"$link"
    -nomake tests -nomake examples
    -no-opengl -no-dbus -no-icu -no-pkg-config -no-zstd -no-openssl
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion -no-libjpeg
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-xml
    -no-feature-concurrent -no-feature-vulkan -no-feature-direct2d -no-feature-directwrite3
    -no-feature-tabletevent -no-feature-androiddeployqt
)

# The key: what goes into the build, not this script's wording. Raise recipe when a change
# here alters what is built or installed.
recipe=2
key=$( { echo "recipe $recipe"; echo "${configure_options[*]}"; cat "$toolchain"; echo "$qt_version";
         "$compiler" --version | head -1; } | sha256sum | cut -c1-16)
name=qt-${qt_version%%+*}-win64-$link-$key
dest=$cache/$name
mkdir -p "$cache"

exec 9>"$cache/$name.lock"
flock 9
if [ -f "$dest/.complete" ]; then
    echo "build-qt.sh: cached: $dest"
    echo "$dest" >&3
    exit 0
fi

work=$cache/$name.work
rm -rf "$work" "$dest"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src"
began=$SECONDS

# The source through apt, with a sources list and lists folder of our own: the system's
# apt set-up is neither read for sources nor changed.
cat > "$work/apt/sources.list" <<LIST
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian bookworm-updates main
deb-src http://deb.debian.org/debian-security bookworm-security main
LIST
apt_options=(
    -o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=-
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache"
    -o APT::Sandbox::User=root
)
echo "build-qt.sh: fetching qt6-base $qt_version"
apt-get "${apt_options[@]}" -qq update
(cd "$work/src" && apt-get "${apt_options[@]}" -qq source "qt6-base=$qt_version" >/dev/null)
source_dir=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
[ -n "$source_dir" ] || { echo "build-qt.sh: no source unpacked" >&2; exit 1; }

# The toolchain goes with the Qt it built: the installed Qt's own toolchain file loads it
# from there, so the cache does not depend on where this clone lies.
mkdir -p "$dest"
cp "$toolchain" "$dest/mingw-w64.cmake"

echo "build-qt.sh: configuring ($link) in $work/build"
mkdir -p "$work/build"
(cd "$work/build" && "$source_dir/configure" -prefix "$dest" "${configure_options[@]}" -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$dest/mingw-w64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
echo "build-qt.sh: building"
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build"

# Qt's licence texts go with it into the program's archive and installer.
mkdir -p "$dest/licenses"
cp "$source_dir"/LICENSES/LGPL-3.0-only.txt "$source_dir"/LICENSES/GPL-3.0-only.txt \
   "$source_dir"/LICENSES/GPL-2.0-only.txt "$source_dir"/LICENSES/Qt-GPL-exception-1.0.txt "$dest/licenses/"
cp "$source_dir"/debian/copyright "$dest/licenses/debian-copyright.txt"

# What decided this build, beside it, for whoever looks in the cache.
{
    echo "qt6-base $qt_version, Debian's source package (apt-get source qt6-base=$qt_version)"
    echo "compiler: $("$compiler" --version | head -1)"
    echo "configure ${configure_options[*]}"
    echo "built in $((SECONDS - began)) s"
} > "$dest/BUILDINFO"
touch "$dest/.complete"
rm -rf "$work"
echo "build-qt.sh: built in $((SECONDS - began)) s: $dest"
echo "$dest" >&3
