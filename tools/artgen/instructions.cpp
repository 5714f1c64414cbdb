// The instructions window: how a piece moves (a jump and the four slides on a corner of the
// board, Karvo pointing at it) above, and the start and goal positions below. Captions in
// Indonesian first, then English.
#include "mascot.h"
#include "pictures.h"
#include "pieces.h"

#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace artgen {

namespace {

const QSize instructionsSize(499, 335);

// Places the window's cell coordinates so that the given window rectangle of the board
// lands on target.
QTransform boardPlacement(const QRectF &boardArea, const QRectF &target)
{
    const qreal k = std::min(target.width() / boardArea.width(), target.height() / boardArea.height());
    QTransform t;
    t.translate(target.center().x(), target.center().y());
    t.scale(k, k);
    t.translate(-boardArea.center().x(), -boardArea.center().y());
    return t;
}

// A red arrow with a dark edge along path, its head at the end.
void paintArrow(QPainter &p, const QPainterPath &path, qreal width, qreal head)
{
    const QPointF end = path.pointAtPercent(1.0);
    const qreal angle = path.angleAtPercent(1.0) * std::numbers::pi / 180;
    const QPointF dir(std::cos(angle), -std::sin(angle));
    const QPointF normal(-dir.y(), dir.x());
    // Stop the shaft inside the head so the tip stays sharp.
    QPainterPath shaft;
    const qreal length = path.length();
    const qreal cut = path.percentAtLength(std::max(0.0, length - head * 0.8));
    for (int i = 0; i <= 40; ++i) {
        const QPointF pt = path.pointAtPercent(cut * i / 40);
        if (i == 0)
            shaft.moveTo(pt);
        else
            shaft.lineTo(pt);
    }
    QPainterPath tip;
    tip.moveTo(end);
    tip.lineTo(end - dir * head + normal * head * 0.6);
    tip.lineTo(end - dir * head * 0.75);
    tip.lineTo(end - dir * head - normal * head * 0.6);
    tip.closeSubpath();

    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(100, 0, 0), width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shaft);
    p.setPen(QPen(QColor(100, 0, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(100, 0, 0));
    p.drawPath(tip);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(226, 30, 30), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shaft);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 30, 30));
    p.drawPath(tip);
    p.restore();
}

void paintBigArrow(QPainter &p, const QRectF &r)
{
    const qreal mid = r.center().y(), shaftHalf = r.height() * 0.2, headStart = r.right() - r.height() * 0.7;
    QPainterPath arrow;
    arrow.moveTo(r.left(), mid - shaftHalf);
    arrow.lineTo(headStart, mid - shaftHalf);
    arrow.lineTo(headStart, r.top());
    arrow.lineTo(r.right(), mid);
    arrow.lineTo(headStart, r.bottom());
    arrow.lineTo(headStart, mid + shaftHalf);
    arrow.lineTo(r.left(), mid + shaftHalf);
    arrow.closeSubpath();
    paintShadow(p, arrow, QPointF(3, 4), 3, 90);
    p.setPen(QPen(QColor(90, 0, 0), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(linearGradient({0, r.top()}, {0, r.bottom()},
                              {{0, QColor(255, 110, 90)}, {0.5, QColor(222, 26, 26)}, {1, QColor(140, 0, 8)}}));
    p.drawPath(arrow);
}

// Wraps text into lines no wider than width and paints them from top.
qreal paintParagraph(QPainter &p, const QString &family, qreal size, int weight, bool italic, const QString &text,
                     const QRectF &box, const QColor &colour, Qt::Alignment alignment, qreal top)
{
    const QStringList words = text.split(QLatin1Char(' '));
    QStringList lines;
    QString current;
    for (const QString &word : words) {
        const QString attempt = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && textPath(family, size, attempt, weight, 0, italic).boundingRect().width() > box.width()) {
            lines << current;
            current = word;
        } else {
            current = attempt;
        }
    }
    if (!current.isEmpty())
        lines << current;
    const qreal leading = size * 1.28;
    for (const QString &line : lines) {
        QPainterPath path = textPath(family, size, line, weight, 0, italic);
        qreal x = box.left();
        if (alignment & Qt::AlignHCenter)
            x = box.center().x() - path.boundingRect().width() / 2 - path.boundingRect().left();
        path.translate(x, top + size * 0.8);
        paintPressed(p, path, colour, QColor(255, 255, 255, 200), QPointF(0.6, 0.7));
        top += leading;
    }
    return top;
}

void paintSignature(QPainter &p, const Faces &faces, QPointF centreBaseline)
{
    QPainterPath sig = textPath(faces.script, 11, QStringLiteral("Tobrinel 2026"));
    sig.translate(centreBaseline.x() - sig.boundingRect().center().x(), centreBaseline.y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(112, 100, 128));
    p.drawPath(sig);
}

Rgbf paper(double x, double y, const NoiseField &cloud)
{
    const Rgbf c = lerp(rgbf(250, 246, 236), rgbf(236, 232, 244), y / 335.0);
    const double l = 1.0 + (cloud.at(x, y) - 0.5) * 0.025;
    return {c.r * l, c.g * l, c.b * l};
}

} // namespace

QImage paintInstructions(const Faces &faces, qreal scale)
{
    Canvas canvas(instructionsSize, scale);
    const NoiseField cloud(instructionsSize, 50, 3, 73);
    canvas.shade([&cloud](double x, double y) { return paper(x, y, cloud); });
    auto p = canvas.painter();

    // Upper panel: the left diamond with a jump and the four slides.
    const QRectF leftDiamond(27, 187, 200, 200);
    const QTransform corner = boardPlacement(leftDiamond, QRectF(10, 8, 140, 140));
    paintBoardGrid(*p, corner, 9, false);
    paintPieceAt(*p, corner, 1, PieceKind::Ball, true, scale);
    paintPieceAt(*p, corner, 2, PieceKind::Tile, false, scale);
    paintPieceAt(*p, corner, 5, PieceKind::Ball, false, scale);

    // The jump: from cell 1 over cell 2 into cell 3, arching away from the diamond.
    const QPointF from = corner.map(cellCentre(1)), to = corner.map(cellCentre(3));
    const QPointF along = to - from;
    const QPointF away = QPointF(along.y(), -along.x()) * 0.55;
    QPainterPath jump;
    jump.moveTo(from + away * 0.25 + along * 0.08);
    jump.cubicTo(from + away, to + away, to + away * 0.12 - along * 0.1);
    paintArrow(*p, jump, 3.4, 10);

    // The slides: short arrows from cell 5 towards its four neighbours.
    const QPointF centre = corner.map(cellCentre(5));
    for (int neighbour : {2, 4, 6, 8}) {
        const QPointF d = corner.map(cellCentre(neighbour)) - centre;
        QPainterPath slide;
        slide.moveTo(centre + d * 0.36);
        slide.lineTo(centre + d * 0.68);
        paintArrow(*p, slide, 2.6, 7);
    }
    paintSignature(*p, faces, QPointF(80, 158));

    const QRectF upperText(166, 16, 214, 140);
    qreal y = paintParagraph(*p, faces.sans, 13,
                             700, false,
                             QStringLiteral("Gerakkan bidak seperti pada gambar: geser ke kotak sebelahnya, atau "
                                            "lompati satu bidak ke kotak kosong di baliknya."),
                             upperText, QColor(40, 36, 52), Qt::AlignLeft, upperText.top());
    paintParagraph(*p, faces.sans, 13, 700, true,
                   QStringLiteral("Move the pieces as the picture shows: slide one to the next cell, or jump "
                                  "over one piece into the empty cell beyond."),
                   upperText, QColor(40, 70, 140), Qt::AlignLeft, y + 8);

    paintMascot(*p, QRectF(400, 40, 96, 116), Mood::Teacher);

    // The line between the panels, engraved.
    paintEngravedLine(*p, QPointF(8, 167), QPointF(491, 167), QColor(150, 140, 168), QColor(255, 255, 255));

    // Lower panel: the caption, then start, arrow and goal.
    const QRectF lowerText(10, 174, 479, 40);
    y = paintParagraph(*p, faces.sans, 13, 700, false,
                       QStringLiteral("Ubahlah susunan di gambar kiri menjadi susunan di gambar kanan."), lowerText,
                       QColor(40, 36, 52), Qt::AlignHCenter, lowerText.top());
    paintParagraph(*p, faces.sans, 13, 700, true,
                   QStringLiteral("Turn the arrangement on the left into the one on the right."), lowerText,
                   QColor(40, 70, 140), Qt::AlignHCenter, y + 1);

    const QRectF wholeBoard(27, 187, 354, 200);
    const QRectF startArea(12, 214, 182, 103), goalArea(305, 214, 182, 103);
    for (const bool goal : {false, true}) {
        const QTransform place = boardPlacement(wholeBoard, goal ? goalArea : startArea);
        paintBoardGrid(*p, place);
        for (int c = 1; c <= cellCount; ++c) {
            if (c == 9)
                continue;
            const bool left = c < 9;
            paintPieceAt(*p, place, c, left != goal ? PieceKind::Ball : PieceKind::Tile, false, scale);
        }
        paintSignature(*p, faces, QPointF((goal ? goalArea : startArea).center().x(), 329));
    }
    paintBigArrow(*p, QRectF(206, 244, 88, 44));
    p->end();
    return canvas.opaqueImage();
}

} // namespace artgen
