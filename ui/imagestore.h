// The game's pictures as the program stores them: ":/art/<name>.px", the pixels ready to
// draw (see media/art/artpack.cpp). Reading one is a decompression into one buffer that the
// pixmap then uses as it is.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The stored picture <name> ("board", "board@2x"), at a device pixel ratio of 1; a null
// pixmap when there is no such picture.
QPixmap storedPicture(const QString &name);

// An icon of the named pictures, each with its "@2x" and "@3x" twins where there are some.
QIcon storedIcon(const QStringList &names);
