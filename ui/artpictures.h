// The game's pictures at the sharpness a screen needs: which painted ratio a device pixel
// ratio gets, the picture at that ratio, and the application icon made of the stored sizes.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The pictures are painted at 1x and as "@2x" and "@3x" twins.
inline constexpr int maxArtRatio = 3;
// The painted ratio a screen of this device pixel ratio gets: the smallest at or above it,
// so a picture is only ever made smaller on screen (and stays crisp), or the largest.
int artRatio(qreal devicePixelRatio);
// The stored picture <name>, or its "@2x"/"@3x" twin at artRatio(devicePixelRatio), as
// stored (see storedImage()): the windows' backgrounds, drawn from where they lie.
QImage artImage(const QString &name, qreal devicePixelRatio);
// The same as a pixmap: the pieces and banners, drawn again and again.
QPixmap artPixmap(const QString &name, qreal devicePixelRatio);

// The game's icon, a ball beside a tile, in the sizes a window's icon needs.
QIcon applicationIcon();
