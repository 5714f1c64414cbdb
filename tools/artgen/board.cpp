// The main window's background: marble, the title, Karvo peeking over the rule, the STEP
// plaque, a calm plaque for the clock, and the two diamonds of tubes under the cells.
#include "mascot.h"
#include "pictures.h"
#include "platform/appname.h"
#include "pieces.h"

#include <QPainterPath>

#include <cmath>

namespace artgen {

namespace {

// How strongly veins show at a point: faded out under the texts the window draws, so black
// and grey labels stay easy to read there.
double veinWeight(double x, double y)
{
    auto distanceTo = [x, y](QRectF r) {
        const double dx = std::max({r.left() - x, 0.0, x - r.right()});
        const double dy = std::max({r.top() - y, 0.0, y - r.bottom()});
        return std::hypot(dx, dy);
    };
    const double d = std::min(distanceTo(QRectF(layout::timeCaption).united(QRectF(layout::timeLabel))),
                              distanceTo(QRectF(layout::stepLabel)));
    return clamp01(d / 24.0);
}

Rgbf marble(double x, double y, const NoiseField &cloudField, const NoiseField &warpField)
{
    const double cloud = cloudField.at(x, y);
    const double warp = warpField.at(x, y);
    const double vein = 1 - std::abs(std::sin((x * 0.55 + y * 0.95) / 30 + warp * 8));
    const double fine = 1 - std::abs(std::sin((x * 1.1 - y * 0.4) / 16 + warp * 11 + cloud * 3));
    const double weight = veinWeight(x, y);
    const double v2 = vein * vein, f2 = fine * fine, f4 = f2 * f2;
    const double dark = (v2 * v2 * v2 * 0.15 + f4 * f4 * f4 * 0.06) * (0.3 + 0.7 * weight);
    const double light = 0.74 + 0.16 * cloud - dark;
    // Darker towards the edges, as if lit from the middle.
    const double vx = x / 204 - 1, vy = y / 204 - 1;
    const double l = light * (1 - 0.10 * (vx * vx + vy * vy));
    return {l * 0.985, l * 0.975, l * 1.02};
}

void paintPlaque(QPainter &p, const QRectF &r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(linearGradient(r.topLeft(), r.bottomLeft(),
                              {{0, QColor(244, 242, 248, 215)}, {1, QColor(226, 222, 232, 215)}}));
    p.drawRoundedRect(r, 6, 6);
    // Engraved edge: dark above and left, light below and right.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 112, 132, 160), 1.2));
    p.drawRoundedRect(r, 6, 6);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.drawRoundedRect(r.adjusted(1.2, 1.2, -0.2, -0.2), 5, 5);
}

void paintPawPrint(QPainter &p, QPointF at, qreal angle, qreal size)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.scale(size / 20, size / 20);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 74, 70, 120));
    QPainterPath pad;
    pad.moveTo(0, -1);
    pad.cubicTo(6, -1, 10, 6, 8, 9);
    pad.cubicTo(6, 12, -6, 12, -8, 9);
    pad.cubicTo(-10, 6, -6, -1, 0, -1);
    p.drawPath(pad);
    p.drawEllipse(QPointF(-9, -5), 3, 3.8);
    p.drawEllipse(QPointF(-3.3, -9.5), 3, 3.8);
    p.drawEllipse(QPointF(3.3, -9.5), 3, 3.8);
    p.drawEllipse(QPointF(9, -5), 3, 3.8);
    p.restore();
}

} // namespace

QImage paintBoard(const Faces &faces, qreal scale)
{
    const QSize size(411, 411);
    Canvas canvas(size, scale);
    const NoiseField cloud(size, 80, 4, 11), warp(size, 110, 4, 23, QPointF(3.1, 7.7));
    canvas.shade([&](double x, double y) { return marble(x, y, cloud, warp); });
    auto p = canvas.painter();

    // Title.
    const QPainterPath title = textPath(faces.script, 60, QString::fromLatin1(AppName)).translated(12, 60);
    paintShadow(*p, title, QPointF(2.5, 3), 2.5, 90);
    p->setPen(QPen(QColor(90, 0, 10), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(linearGradient({0, 14}, {0, 62},
                               {{0, QColor(246, 70, 60)}, {0.55, QColor(206, 18, 26)}, {1, QColor(140, 6, 16)}}));
    p->drawPath(title);
    paintShine(*p, title, QColor(255, 210, 200, 150), 1.4, QPointF(1.0, 1.2));

    const QPainterPath word = textPath(faces.heavy, 25, QStringLiteral("Karvolen"), 900, 2.5).translated(96, 92);
    p->setPen(QPen(QColor(255, 255, 255, 170), 1.0));
    p->setBrush(Qt::NoBrush);
    p->drawPath(word.translated(0.8, 1.0));
    p->setPen(QPen(QColor(60, 58, 66), 0.8));
    p->setBrush(linearGradient({0, 72}, {0, 92}, {{0, QColor(136, 134, 142)}, {1, QColor(88, 86, 96)}}));
    p->drawPath(word);

    // Karvo, paws on the rule.
    paintMascot(*p, QRectF(288, 6, 104, 104), Mood::Wave);

    // The rule, engraved.
    paintEngravedLine(*p, QPointF(10, 109), QPointF(398, 109), QColor(110, 104, 122), QColor(250, 250, 255));

    const QPainterPath credit =
        textPath(faces.sans, 10.5, QStringLiteral("a puzzle by the Tobrinel team"), 700, 0.4, true);
    paintPressed(*p, credit.translated(18, 103), QColor(84, 80, 94), QColor(255, 255, 255, 170), QPointF(0.6, 0.8));

    // STEP over the step counter, and a plaque for the clock.
    paintPlaque(*p, QRectF(layout::stepLabel).adjusted(-4, -24, 4, 3));
    const QPainterPath step = placed(textPath(faces.heavy, 19, QStringLiteral("STEP"), 900, 2.0),
                                     QRectF(layout::stepLabel.left(), 116, layout::stepLabel.width(), 18),
                                     Qt::AlignCenter);
    p->setPen(QPen(QColor(110, 0, 10), 0.8));
    p->setBrush(QColor(214, 24, 30));
    p->drawPath(step);
    paintPlaque(*p, QRectF(290, 124, 114, 24));

    // The board.
    paintBoardGrid(*p, QTransform());

    paintPawPrint(*p, QPointF(26, 352), -28, 15);
    paintPawPrint(*p, QPointF(52, 392), -22, 15);

    const QPainterPath signature = textPath(faces.script, 15, QStringLiteral("Tobrinel 2026"));
    const QPainterPath sig = placed(signature, QRectF(300, 388, 102, 16), Qt::AlignRight | Qt::AlignBottom);
    paintPressed(*p, sig, QColor(104, 92, 120), QColor(255, 255, 255, 160), QPointF(0.7, 0.8));
    p->end();
    return canvas.opaqueImage();
}

QImage paintPiecePicture(bool tile, bool selected, qreal scale)
{
    return renderPiece(tile ? PieceKind::Tile : PieceKind::Ball, selected, int(std::lround(cellSide * scale)), true);
}

} // namespace artgen
