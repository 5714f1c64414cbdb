// Karvo, the game's ginger cat, who stands in every picture where a person would otherwise
// be: waving on the board, cheering on the results, shouting beside the black list,
// teaching in the instructions and sitting for a portrait in the about box.
#pragma once

#include <QPainter>
#include <QRectF>

namespace artgen {

enum class Mood {
    Wave,    // smiling, one paw raised
    Cheer,   // eyes shut with joy, both paws up
    Shout,   // mouth wide open, eyes squeezed
    Teacher, // glasses and a pointer stick
    Portrait // calm smile and a bow tie
};

// Paints the cat into box, keeping its proportions and standing on the box's bottom edge.
// The head alone is drawn on a square; withBody adds the body below and needs a box about
// two wide to three high.
void paintMascot(QPainter &p, const QRectF &box, Mood mood, bool mirrored = false, bool withBody = false);

} // namespace artgen
