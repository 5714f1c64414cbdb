// The cat is drawn in a 200-unit design space (200x200 for the head, 200x300 with the
// body) and mapped into the caller's box, so each picture gets it at any size.
#include "mascot.h"

#include "artkit.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

const QColor outline(74, 38, 22);
const QColor furLight(250, 172, 82);
const QColor furDark(222, 116, 38);
const QColor stripe(182, 84, 26);
const QColor cream(255, 246, 232);
const QColor pink(246, 150, 160);

QPen outlinePen(qreal w = 3.2) { return QPen(outline, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

QBrush furBrush(qreal top, qreal bottom)
{
    return linearGradient({0, top}, {0, bottom}, {{0, furLight}, {1, furDark}});
}

QPainterPath headShape()
{
    QPainterPath h;
    h.moveTo(100, 46);
    h.cubicTo(150, 46, 176, 76, 176, 112);
    h.cubicTo(176, 146, 146, 168, 100, 168);
    h.cubicTo(54, 168, 24, 146, 24, 112);
    h.cubicTo(24, 76, 50, 46, 100, 46);
    return h;
}

QPainterPath ear(bool right, qreal inset)
{
    auto x = [right](qreal v) { return right ? 200 - v : v; };
    QPainterPath e;
    e.moveTo(x(34 + inset * 1.6), 92 - inset * 0.6);
    e.quadTo(x(28 + inset * 0.8), 40 + inset * 0.3, x(40 + inset * 0.5), 18 + inset * 1.6);
    e.quadTo(x(46 + inset * 0.2), 14 + inset * 1.4, x(56 + inset * 0.1), 22 + inset * 1.6);
    e.lineTo(x(92 - inset * 1.5), 54 + inset * 0.5);
    e.closeSubpath();
    return e;
}

void paintEars(QPainter &p)
{
    for (bool right : {false, true}) {
        p.setPen(outlinePen());
        p.setBrush(furBrush(15, 90));
        p.drawPath(ear(right, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(pink);
        p.drawPath(ear(right, 10));
    }
}

void paintTabbyMarks(QPainter &p)
{
    p.save();
    p.setPen(QPen(stripe, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(100, 52), QPointF(100, 72));
    p.drawLine(QPointF(84, 54), QPointF(88, 70));
    p.drawLine(QPointF(116, 54), QPointF(112, 70));
    p.setPen(QPen(stripe, 4.5, Qt::SolidLine, Qt::RoundCap));
    for (bool right : {false, true}) {
        const qreal s = right ? -1 : 1;
        const qreal ox = right ? 200 : 0;
        p.drawLine(QPointF(ox + s * 26, 108), QPointF(ox + s * 42, 112));
        p.drawLine(QPointF(ox + s * 28, 124), QPointF(ox + s * 42, 124));
    }
    p.restore();
}

void paintOpenEye(QPainter &p, QPointF c, bool lookLeft)
{
    p.setPen(outlinePen(2.6));
    p.setBrush(Qt::white);
    p.drawEllipse(c, 15, 17);
    p.setPen(Qt::NoPen);
    p.setBrush(radialGradient(c + QPointF(0, 3), 13, {{0, QColor(190, 230, 90)}, {1, QColor(70, 150, 60)}}));
    const QPointF look(lookLeft ? -3 : 2, 2);
    p.drawEllipse(c + look, 11.5, 13.5);
    p.setBrush(QColor(20, 16, 14));
    p.drawEllipse(c + look, 5.5, 10);
    p.setBrush(Qt::white);
    p.drawEllipse(c + look + QPointF(-4, -5), 3.6, 3.6);
    p.drawEllipse(c + look + QPointF(4, 5), 1.6, 1.6);
}

void paintHappyEye(QPainter &p, QPointF c)
{
    QPainterPath arc;
    arc.moveTo(c + QPointF(-13, 5));
    arc.quadTo(c + QPointF(0, -16), c + QPointF(13, 5));
    p.setPen(QPen(outline, 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
}

void paintSqueezedEye(QPainter &p, QPointF c, bool right)
{
    const qreal s = right ? -1 : 1;
    QPainterPath chevron;
    chevron.moveTo(c + QPointF(-12 * s, -10));
    chevron.lineTo(c + QPointF(10 * s, 0));
    chevron.lineTo(c + QPointF(-12 * s, 10));
    p.setPen(QPen(outline, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
}

void paintMuzzle(QPainter &p, Mood mood)
{
    p.setPen(Qt::NoPen);
    p.setBrush(cream);
    p.drawEllipse(QPointF(86, 134), 23, 19);
    p.drawEllipse(QPointF(114, 134), 23, 19);
    p.drawEllipse(QPointF(100, 146), 20, 18);

    // Blush.
    p.setBrush(QColor(255, 120, 120, 90));
    p.drawEllipse(QPointF(52, 134), 12, 7);
    p.drawEllipse(QPointF(148, 134), 12, 7);

    // Whiskers.
    p.setPen(QPen(QColor(90, 60, 50), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (bool right : {false, true}) {
        const qreal s = right ? -1 : 1, ox = right ? 200 : 0;
        p.drawLine(QPointF(ox + s * 68, 130), QPointF(ox + s * 14, 120));
        p.drawLine(QPointF(ox + s * 68, 136), QPointF(ox + s * 12, 138));
        p.drawLine(QPointF(ox + s * 70, 142), QPointF(ox + s * 18, 154));
    }

    if (mood == Mood::Shout || mood == Mood::Cheer) {
        QPainterPath mouth;
        const qreal depth = mood == Mood::Shout ? 40 : 26;
        mouth.moveTo(80, 134);
        mouth.quadTo(100, 128, 120, 134);
        mouth.cubicTo(120, 134 + depth, 80, 134 + depth, 80, 134);
        p.setPen(outlinePen(2.8));
        p.setBrush(QColor(120, 24, 36));
        p.drawPath(mouth);
        p.save();
        p.setClipPath(mouth);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 100, 120));
        p.drawEllipse(QPointF(100, 134 + depth * 0.85), 14, 11);
        p.restore();
        if (mood == Mood::Shout) {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            for (qreal x : {86.0, 114.0}) {
                QPainterPath fang;
                fang.moveTo(x - 4, 133);
                fang.lineTo(x + 4, 132);
                fang.lineTo(x, 141);
                fang.closeSubpath();
                p.drawPath(fang);
            }
        }
    } else {
        QPainterPath smile;
        smile.moveTo(80, 132);
        smile.quadTo(88, 146, 100, 134);
        smile.quadTo(112, 146, 120, 132);
        p.setPen(QPen(outline, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(smile);
        if (mood == Mood::Wave) {
            QPainterPath tongue;
            tongue.moveTo(94, 138);
            tongue.quadTo(100, 150, 106, 138);
            p.setPen(QPen(outline, 1.6));
            p.setBrush(QColor(240, 100, 120));
            p.drawPath(tongue);
        }
    }

    QPainterPath nose;
    nose.moveTo(91, 118);
    nose.quadTo(100, 114, 109, 118);
    nose.quadTo(108, 124, 100, 130);
    nose.quadTo(92, 124, 91, 118);
    p.setPen(QPen(outline, 2));
    p.setBrush(pink.darker(110));
    p.drawPath(nose);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 225));
    p.drawEllipse(QPointF(97, 119), 3, 1.6);
}

void paintPaw(QPainter &p, QPointF c, qreal angle, bool palm, const QColor &colour = cream)
{
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.setPen(outlinePen());
    p.setBrush(colour);
    p.drawEllipse(QPointF(0, 0), 20, 17);
    if (palm) {
        p.setPen(Qt::NoPen);
        p.setBrush(pink);
        p.drawEllipse(QPointF(0, 5), 8, 6);
        for (int i = -1; i <= 1; ++i)
            p.drawEllipse(QPointF(i * 8.5, -6 - (i == 0 ? 2 : 0)), 3.6, 4.2);
    } else {
        p.setPen(QPen(outline, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(-7, -12), QPointF(-7, -4));
        p.drawLine(QPointF(7, -12), QPointF(7, -4));
    }
    p.restore();
}

void paintArm(QPainter &p, QPointF shoulder, QPointF paw)
{
    QPainterPath arm;
    arm.moveTo(shoulder);
    arm.lineTo(paw);
    p.setPen(QPen(outline, 30, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arm);
    p.setPen(QPen(QBrush(linearGradient(shoulder, paw, {{0, furDark}, {1, furLight}})), 24, Qt::SolidLine,
                  Qt::RoundCap));
    p.drawPath(arm);
    // Tabby rings along the arm.
    p.setPen(QPen(stripe, 3.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF d = paw - shoulder;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF n(-d.y() / len, d.x() / len);
    for (qreal t : {0.35, 0.55, 0.75}) {
        const QPointF m = shoulder + d * t;
        p.drawLine(m - n * 9, m + n * 9);
    }
}

void paintBody(QPainter &p, Mood mood)
{
    // Tail first, curling up behind the body.
    QPainterPath tail;
    tail.moveTo(150, 262);
    tail.cubicTo(200, 262, 196, 200, 178, 178);
    p.setPen(QPen(outline, 24, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tail);
    p.setPen(QPen(furDark, 18, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(QPen(stripe, 18, Qt::CustomDashLine, Qt::FlatCap));
    QPen dashes(stripe, 18, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({0.3, 0.9});
    p.setPen(dashes);
    p.drawPath(tail);

    QPainterPath body;
    body.moveTo(62, 150);
    body.cubicTo(34, 200, 30, 282, 100, 286);
    body.cubicTo(170, 282, 166, 200, 138, 150);
    body.closeSubpath();
    p.setPen(outlinePen());
    p.setBrush(furBrush(150, 290));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(cream);
    p.drawEllipse(QPointF(100, 232), 34, 46);
    // Feet.
    p.setPen(outlinePen());
    p.setBrush(cream);
    p.drawEllipse(QPointF(70, 286), 22, 12);
    p.drawEllipse(QPointF(130, 286), 22, 12);
    p.setPen(QPen(outline, 1.8, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {64.0, 76.0, 124.0, 136.0})
        p.drawLine(QPointF(x, 280), QPointF(x, 288));

    if (mood == Mood::Cheer) {
        paintArm(p, QPointF(58, 178), QPointF(10, 84));
        paintArm(p, QPointF(142, 178), QPointF(190, 84));
    } else {
        paintPaw(p, QPointF(76, 212), -10, false);
        paintPaw(p, QPointF(124, 212), 10, false);
    }
}

void paintGlasses(QPainter &p)
{
    p.setPen(QPen(QColor(40, 30, 30), 3.4));
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawEllipse(QPointF(72, 100), 21, 19);
    p.drawEllipse(QPointF(128, 100), 21, 19);
    QPainterPath bridge;
    bridge.moveTo(92, 98);
    bridge.quadTo(100, 90, 108, 98);
    p.setBrush(Qt::NoBrush);
    p.drawPath(bridge);
    p.drawLine(QPointF(51, 96), QPointF(30, 90));
    p.drawLine(QPointF(149, 96), QPointF(170, 90));
}

void paintBowTie(QPainter &p)
{
    QPainterPath tie;
    tie.moveTo(100, 172);
    tie.lineTo(70, 158);
    tie.lineTo(70, 192);
    tie.closeSubpath();
    tie.moveTo(100, 172);
    tie.lineTo(130, 158);
    tie.lineTo(130, 192);
    tie.closeSubpath();
    p.setPen(outlinePen(2.6));
    p.setBrush(QColor(200, 30, 40));
    p.drawPath(tie);
    p.setBrush(QColor(230, 60, 60));
    p.drawEllipse(QPointF(100, 175), 8, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (QPointF d : {QPointF(80, 168), QPointF(78, 182), QPointF(120, 168), QPointF(122, 182)})
        p.drawEllipse(d, 2.2, 2.2);
}

void paintPointer(QPainter &p)
{
    p.setPen(QPen(outline, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(46, 176), QPointF(-6, 118));
    p.setPen(QPen(QColor(150, 96, 50), 4.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(46, 176), QPointF(-6, 118));
    p.setPen(outlinePen(2));
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(QPointF(-6, 118), 5, 5);
    paintPaw(p, QPointF(46, 178), 30, false, furLight);
}

} // namespace

void paintMascot(QPainter &p, const QRectF &box, Mood mood, bool mirrored, bool withBody)
{
    const QSizeF design(200, withBody ? 300 : 200);
    const qreal k = std::min(box.width() / design.width(), box.height() / design.height());
    p.save();
    p.translate(box.center().x(), box.bottom());
    p.scale(mirrored ? -k : k, k);
    p.translate(-design.width() / 2, -design.height());

    if (withBody)
        paintBody(p, mood);
    else if (mood == Mood::Cheer) {
        paintArm(p, QPointF(60, 150), QPointF(20, 70));
        paintArm(p, QPointF(140, 150), QPointF(180, 70));
    }
    paintEars(p);
    p.setPen(outlinePen());
    p.setBrush(furBrush(46, 168));
    p.drawPath(headShape());
    paintTabbyMarks(p);
    paintMuzzle(p, mood);

    const QPointF leftEye(72, 100), rightEye(128, 100);
    switch (mood) {
    case Mood::Cheer:
        paintHappyEye(p, leftEye);
        paintHappyEye(p, rightEye);
        break;
    case Mood::Shout:
        paintSqueezedEye(p, leftEye, false);
        paintSqueezedEye(p, rightEye, true);
        break;
    case Mood::Wave:
    case Mood::Teacher:
    case Mood::Portrait:
        paintOpenEye(p, leftEye, mood == Mood::Teacher);
        paintOpenEye(p, rightEye, mood == Mood::Teacher);
        break;
    }
    if (mood == Mood::Teacher)
        paintGlasses(p);
    if (mood == Mood::Portrait)
        paintBowTie(p);

    if (!withBody) {
        if (mood == Mood::Cheer) {
            paintPaw(p, QPointF(20, 66), -20, true);
            paintPaw(p, QPointF(180, 66), 20, true);
        } else if (mood == Mood::Wave) {
            paintPaw(p, QPointF(178, 140), 25, true);
        } else if (mood == Mood::Teacher) {
            paintPointer(p);
        } else if (mood == Mood::Shout) {
            paintPaw(p, QPointF(42, 180), -15, false);
            paintPaw(p, QPointF(158, 180), 15, false);
            // The shout itself, on the side the cat faces.
            p.setPen(QPen(QColor(200, 20, 30), 6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(178, 112), QPointF(196, 100));
            p.drawLine(QPointF(182, 134), QPointF(202, 134));
            p.drawLine(QPointF(178, 156), QPointF(196, 168));
        }
    } else if (mood == Mood::Cheer) {
        paintPaw(p, QPointF(10, 78), -20, true);
        paintPaw(p, QPointF(190, 78), 20, true);
    }
    p.restore();
}

} // namespace artgen
