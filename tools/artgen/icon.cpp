// The application icon: a ball beside a tile, the two sides of the game. It is painted with
// the board's own piece and grid painters, so it changes whenever the pieces do. Big icons
// show the two pieces on a corner of the board cut into a rounded plate; small ones
// keep the plate and the two pieces, drawn as large as the square allows, since a grid of
// tubes at 16 pixels is only noise.
#include "pictures.h"
#include "pieces.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

// Two neighbouring cells of the board on one of its lines: the ball stands on the first,
// the tile on the second.
constexpr int ballCell = 8;
constexpr int tileCell = 9;

// Below this many device pixels the grid gives way to bigger pieces.
constexpr int smallestDetailed = 32;

// The rounded plate every size stands on, in the lilac grey of the board around the
// cells, lit from the top left like the pieces. Returns its outline.
QPainterPath paintPlate(QPainter &p, int pixels)
{
    const qreal side = pixels;
    const qreal margin = pixels < smallestDetailed ? 0.5 : side * 0.03;
    const QRectF plate(margin, margin, side - 2 * margin, side - 2 * margin);
    const qreal corner = side * 0.2;
    QPainterPath outline;
    outline.addRoundedRect(plate, corner, corner);
    p.setPen(Qt::NoPen);
    p.setBrush(linearGradient(plate.topLeft(), plate.bottomRight(),
                              {{0.0, QColor(226, 222, 234)}, {1.0, QColor(150, 142, 168)}}));
    p.drawPath(outline);
    return outline;
}

// A dark edge, and on big plates a light bevel inside it, keep the plate apart from any
// panel colour.
void paintPlateEdge(QPainter &p, const QPainterPath &outline, int pixels)
{
    const qreal side = pixels;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 58, 92), std::max(1.0, side / 48)));
    p.drawPath(outline);
    if (pixels < smallestDetailed)
        return;
    const qreal inset = std::max(1.0, side / 40);
    const QRectF plate = outline.boundingRect().adjusted(inset, inset, -inset, -inset);
    const qreal corner = side * 0.2 - inset;
    p.setPen(QPen(QColor(255, 255, 255, 120), std::max(0.8, side / 96)));
    p.drawRoundedRect(plate, corner, corner);
}

void paintDetailed(QPainter &p, int pixels)
{
    const QPainterPath outline = paintPlate(p, pixels);
    const QRectF plate = outline.boundingRect();

    // A corner of the board: the window's cell coordinates mapped so that the two pieces
    // fill the middle of the plate.
    const QPointF middle = (cellCentre(ballCell) + cellCentre(tileCell)) / 2;
    const qreal boardSpan = 92; // window pixels across the plate
    const qreal unit = plate.width() / boardSpan;
    QTransform placement;
    placement.translate(plate.center().x(), plate.center().y());
    placement.scale(unit, unit);
    placement.translate(-middle.x(), -middle.y());
    p.save();
    p.setClipPath(outline);
    paintBoardGrid(p, placement);
    p.restore();

    paintPieceAt(p, placement, ballCell, PieceKind::Ball, false, 1);
    paintPieceAt(p, placement, tileCell, PieceKind::Tile, false, 1);
    paintPlateEdge(p, outline, pixels);
}

void paintSimple(QPainter &p, int pixels)
{
    const QPainterPath outline = paintPlate(p, pixels);
    // The pieces touch along the same diagonal as on the big icon, each as large as the
    // plate allows; a piece picture is a cell, a little wider than the sphere in it.
    const qreal cell = pixels * 0.64;
    const qreal near = pixels * 0.02, far = pixels - cell - near;
    const int device = int(std::lround(cell));
    p.drawImage(QRectF(near, far, cell, cell), renderPiece(PieceKind::Ball, false, device, false));
    p.drawImage(QRectF(far, near, cell, cell), renderPiece(PieceKind::Tile, false, device, false));
    paintPlateEdge(p, outline, pixels);
}

} // namespace

QImage paintIcon(int side, qreal scale)
{
    const int pixels = int(std::lround(side * scale));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (pixels < smallestDetailed)
        paintSimple(p, pixels);
    else
        paintDetailed(p, pixels);
    p.end();
    return image;
}

} // namespace artgen
