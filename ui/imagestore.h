// The game's pictures as the program stores them: ":/art/<name>.px", the pixels ready to
// draw (see tools/artpack/artpack.cpp). Reading one is a decompression into one buffer that the
// image then uses as it is; a picture stored uncompressed is used where it lies.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The stored picture <name> ("board", "board@2x"), at a device pixel ratio of 1, as it is
// stored and without a copy: 24-bit RGB when opaque, premultiplied ARGB otherwise. A null
// image when there is no such picture.
QImage storedImage(const QString &name);

// The same as a pixmap, for what is drawn often (an opaque picture is converted to the
// screen's format); a null pixmap when there is no such picture.
QPixmap storedPicture(const QString &name);

// An icon of the named pictures, each with its "@2x" and "@3x" twins where there are some.
QIcon storedIcon(const QStringList &names);
