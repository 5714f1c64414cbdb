// Previews for the artist: each window's picture with its labels, images and buttons drawn
// where the window puts them, to check by eye that the painted captions and the board line
// up with them. Not part of the game.
#pragma once

#include "artkit.h"

#include <QDir>

namespace artgen {

bool writePreviews(const Faces &faces, const QDir &dir);

} // namespace artgen
