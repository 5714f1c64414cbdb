// The about window: glossy blue-grey bubbles, the title with its fiery year, Karvo's framed
// portrait, the credits, and the team's name; the bottom left stays free for the buttons.
#include "mascot.h"
#include "pictures.h"

#include <QPainterPath>
#include <QStringList>

namespace artgen {

QImage paintAbout(const Faces &faces, qreal scale)
{
    const QSize size(335, 243);
    Canvas canvas(size, scale);
    auto p = canvas.painter();
    p->fillRect(QRectF(QPointF(0, 0), QSizeF(size)),
                linearGradient({0, 0}, {size.width() * 0.4, qreal(size.height())},
                               {{0, QColor(112, 132, 162)}, {1, QColor(46, 58, 84)}}));
    paintBubbles(*p, QRectF(-10, -10, size.width() + 20, size.height() + 20), 36, 57, QColor(120, 146, 186), 3, 22);
    // Darken the ground under the texts so they stand out from the bubbles.
    p->fillRect(QRectF(QPointF(0, 0), QSizeF(size)),
                linearGradient({0, 0}, {0, qreal(size.height())},
                               {{0, QColor(20, 28, 48, 30)}, {1, QColor(20, 28, 48, 150)}}));

    // TOBRINEL KARVOLEN in pale outlined capitals, 2003 in fire.
    const qreal left = 12;
    for (const auto &[word, baseline] : {std::pair{QStringLiteral("TOBRINEL"), 36.0},
                                         std::pair{QStringLiteral("KARVOLEN"), 66.0}}) {
        const QPainterPath path = textPath(faces.heavy, 29, word, 900, 2).translated(left, baseline);
        paintShadow(*p, path, QPointF(2, 2.5), 2, 120);
        p->setPen(QPen(QColor(20, 34, 70), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p->setBrush(QColor(226, 236, 250));
        p->drawPath(path);
        p->setPen(QPen(QColor(160, 190, 235), 0.8));
        p->setBrush(Qt::NoBrush);
        p->drawPath(path);
    }
    const QPainterPath year = textPath(faces.heavy, 38, QStringLiteral("2003"), 900, 2).translated(left + 2, 106);
    paintGlow(*p, year, QColor(255, 90, 0, 200), 7, 10);
    p->setPen(QPen(QColor(120, 10, 0), 1.2));
    p->setBrush(linearGradient({0, 76}, {0, 106},
                               {{0, QColor(255, 250, 150)}, {0.35, QColor(255, 200, 30)},
                                {0.7, QColor(245, 90, 10)}, {1, QColor(200, 20, 10)}}));
    p->drawPath(year);

    // Karvo's portrait in a gilded frame.
    const QRectF frame(214, 10, 110, 124);
    paintShadow(*p, [&] { QPainterPath s; s.addRect(frame); return s; }(), QPointF(4, 5), 4, 140);
    p->setPen(QPen(QColor(90, 50, 0), 1.2));
    p->setBrush(linearGradient(frame.topLeft(), frame.bottomRight(),
                               {{0, QColor(255, 236, 150)}, {0.45, QColor(200, 140, 30)},
                                {0.7, QColor(250, 210, 100)}, {1, QColor(130, 80, 10)}}));
    p->drawRect(frame);
    const QRectF picture = frame.adjusted(9, 9, -9, -9);
    p->setPen(QPen(QColor(90, 50, 0), 1.2));
    p->setBrush(radialGradient(picture.center() - QPointF(0, 10), picture.height() * 0.8,
                               {{0, QColor(140, 200, 220)}, {1, QColor(40, 90, 120)}}));
    p->drawRect(picture);
    p->save();
    p->setClipRect(picture);
    paintMascot(*p, picture.adjusted(-4, 4, 4, 8), Mood::Portrait);
    p->restore();
    p->setPen(QPen(QColor(255, 245, 200, 160), 1));
    p->setBrush(Qt::NoBrush);
    p->drawRect(frame.adjusted(2.5, 2.5, -2.5, -2.5));

    // Credits: only what is true. The game is the team's, the pictures and sounds are made
    // by the build itself, and the faces are free fonts whose authors and licence are named.
    struct Credit
    {
        QString role;
        QStringList lines;
    };
    const Credit credits[] = {
        {QStringLiteral("Game"), {QStringLiteral("the Tobrinel team")}},
        {QStringLiteral("Mascot"), {QStringLiteral("Karvo the cat")}},
        {QStringLiteral("Art"), {QStringLiteral("painted in code by the build")}},
        {QStringLiteral("Sounds"), {QStringLiteral("synthesised by the build")}},
        {QStringLiteral("Fonts"),
         {QStringLiteral("Lobster Two: Impallari Type"),
          QStringLiteral("Lato: tyPoland; Liberation: Red Hat"),
          QStringLiteral("all under the SIL Open Font License 1.1")}},
    };
    qreal baseline = 126;
    for (const Credit &c : credits) {
        const QPainterPath role = textPath(faces.heavy, 12, c.role, 900, 0.4).translated(left, baseline);
        // A single line reads at the size of its role; the font notice is smaller to fit.
        const bool notice = c.lines.size() > 1;
        QPainterPath names;
        for (qsizetype i = 0; i < c.lines.size(); ++i)
            names.addPath(textPath(faces.sans, notice ? 9.5 : 12, c.lines[i], 700)
                              .translated(left + 62, baseline + qreal(i) * 10.5));
        p->setPen(Qt::NoPen);
        p->setBrush(QColor(0, 0, 0, 130));
        p->drawPath(role.translated(1, 1.2));
        p->drawPath(names.translated(1, 1.2));
        p->setBrush(QColor(255, 214, 90));
        p->drawPath(role);
        p->setBrush(QColor(240, 244, 252));
        p->drawPath(names);
        baseline += 15;
    }

    // The maker, bottom right.
    const QPainterPath maker = placed(textPath(faces.heavy, 15, QStringLiteral("TOBRINEL TEAM"), 900, 1.2),
                                      QRectF(190, 208, 136, 24), Qt::AlignRight | Qt::AlignVCenter);
    paintShadow(*p, maker, QPointF(1.5, 2), 1.5, 160);
    p->setPen(QPen(QColor(30, 40, 70), 0.8));
    p->setBrush(Qt::white);
    p->drawPath(maker);
    p->end();
    return canvas.opaqueImage();
}

} // namespace artgen
