// The pieces and the board they stand on: the lit spheres with their patterns, the cell
// positions of the main window, and the silver-lilac tube grid whose crossings the cells
// sit on. The board picture, the instructions and the previews all draw with these.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QTransform>

#include <array>

namespace artgen {

enum class PieceKind { Ball, Tile };

// The colour the one-colour-transparent pieces are smoothed against: the light lilac grey
// of the board around a cell.
inline const QColor pieceBackdrop{184, 180, 192};

// A piece picture of side pixels. Crisp pictures have only fully opaque and fully
// transparent pixels (the cells show the board through them); the others have a smooth edge
// for painting into a picture.
QImage renderPiece(PieceKind kind, bool selected, int side, bool crisp);

// The main window's cells, numbered 1 to 17: the top-left corner of the 45x45 image cell in
// window pixels, rounded the way the window places them, and its centre.
constexpr int cellCount = 17;
constexpr qreal cellSide = 45;
QPointF cellTopLeft(int cell);
QPointF cellCentre(int cell);

// The board's six lines per diamond as cell numbers, each a row or a column that moves run
// along. The right diamond's lines start at the shared cell 9.
using BoardLine = std::array<int, 3>;
extern const std::array<BoardLine, 12> boardLines;

// Paints the tube grid and a shallow socket at every cell, with the window's cell
// coordinates mapped by placement. tubeWidth is in window pixels (before placement).
void paintBoardGrid(QPainter &p, const QTransform &placement, qreal tubeWidth = 9, bool rightDiamond = true);

// Paints the piece of a cell into the board drawn with the same placement. side is the
// device size of the piece picture to use; the caller's painter must be at that resolution.
void paintPieceAt(QPainter &p, const QTransform &placement, int cell, PieceKind kind, bool selected,
                  qreal deviceScale);

} // namespace artgen
