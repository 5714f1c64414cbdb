#!/bin/bash
# Every include between the game's folders points down the layers, so no folder needs one
# above it and no two include each other: platform, audio, topten, game, history, ui, app.
# media/ holds assets (the generated picture names), which only the windows read.
src=${1:?usage: layers.sh <source folder>}
cd "$src" || exit 1
rank() {
    case $1 in
    platform) echo 0 ;; audio) echo 1 ;; topten) echo 2 ;; game) echo 3 ;; history) echo 4 ;; media) echo 5 ;; ui) echo 5 ;;
    app) echo 6 ;;
    *) echo -1 ;;
    esac
}
bad=0
for folder in platform audio topten game history ui app; do
    from=$(rank "$folder")
    while IFS=: read -r file _ line; do
        target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$line")
        to=$(rank "$target")
        [ "$to" -lt 0 ] && continue
        if [ "$to" -gt "$from" ] || { [ "$target" = media ] && [ "$folder" != ui ]; }; then
            echo "FAIL: $file includes upwards: $line"
            bad=1
        fi
    done < <(grep -rn '#include "[a-z]*/' "$folder")
done
[ $bad = 0 ] && echo "every include points down"
exit $bad
