#!/usr/bin/env bash
# What a Windows player downloads, from the built program:
#   package.sh <Tobrinel.exe> <icon> <Qt prefix> <source tree> <out folder> <version>
# makes <out>/Tobrinel/ (the program, the Qt libraries and plugins it loads, the
# compiler's run-time libraries and the licence texts), <out>/Tobrinel-<version>-win64.zip
# of that folder, and the per-user installer <out>/Tobrinel-<version>-setup.exe (NSIS).
set -euo pipefail
exe=$1
icon=$2
qt=$3
src=$4
out=$5
version=$6
here=$(cd "$(dirname "$0")" && pwd)
cxx=x86_64-w64-mingw32-g++-posix
strip=x86_64-w64-mingw32-strip

rm -rf "$out"
stage=$out/Tobrinel
mkdir -p "$stage/platforms" "$stage/styles" "$stage/licenses"

cp "$exe" "$stage/Tobrinel.exe"
cp "$qt/bin/Qt6Core.dll" "$qt/bin/Qt6Gui.dll" "$qt/bin/Qt6Widgets.dll" "$stage/"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    cp "$("$cxx" -print-file-name=$dll)" "$stage/"
done
find "$stage" -name '*.exe' -o -name '*.dll' | xargs "$strip" --strip-unneeded

# The licences: the game's, the fonts' inside it, Qt's with where its source comes from,
# and the compiler's run-time libraries'.
licenses=$stage/licenses
cp "$src/LICENSE" "$licenses/Tobrinel.txt"
for font in Lato LiberationSans Lobster; do
    cp "$src/media/fonts/$font-COPYRIGHT.txt" "$licenses/font-$font.txt"
done
cp "$qt/licenses/"*.txt "$licenses/"
{
    cat "$here/Qt-NOTICE.txt"
    echo
    echo "How this copy of Qt was built:"
    sed 's/^/    /' "$qt/BUILDINFO"
} > "$licenses/Qt-NOTICE.txt"
cp "$here/runtime-NOTICE.txt" "$licenses/"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licenses/gcc-runtime-copyright.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$licenses/mingw-w64-copyright.txt"
# Windows' own editor wants CR LF.
for text in "$licenses"/*.txt; do
    sed -i 's/\r$//; s/$/\r/' "$text"
done

# Fixed times and order, so the same build makes the same archive.
stamp=$(git -C "$src" log -1 --format=%ct 2>/dev/null || echo 0)
find "$stage" -exec touch -h -d "@$stamp" {} +
zip=$out/Tobrinel-$version-win64.zip
(cd "$out" && find Tobrinel | LC_ALL=C sort | python3 "$here/zipfolder.py" "Tobrinel-$version-win64.zip")

# The uninstaller removes exactly what the installer put there.
files=$(cd "$stage" && find . -type f | LC_ALL=C sort | sed 's|^\./||; s|/|\\|g')
{
    while read -r file; do echo "Delete \"\$INSTDIR\\$file\""; done <<<"$files"
    echo "RMDir \"\$INSTDIR\\platforms\""
    echo "RMDir \"\$INSTDIR\\styles\""
    echo "RMDir \"\$INSTDIR\\licenses\""
} > "$out/uninstall-files.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DOUT="$out/Tobrinel-$version-setup.exe" \
    -DUNINSTALL_FILES="$out/uninstall-files.nsh" -DLICENSE_FILE="$licenses/Tobrinel.txt" -DICON="$icon" "$here/tobrinel.nsi"

ls -l "$stage/Tobrinel.exe" "$zip" "$out/Tobrinel-$version-setup.exe"
