// The results window: a sunny field that glows red-orange behind Karvo cheering, the
// headline, the three captions over the time, the steps and the rank banner, a trophy,
// confetti; and the three rank banners, smoothed against the very field they are shown on.
#include "mascot.h"
#include "pictures.h"

#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace artgen {

namespace {

const QSize resultsSize(385, 364);

Rgbf field(double x, double y)
{
    const double dx = x - 150, dy = y - 200;
    const double r = std::hypot(dx, dy) / 250;
    const double rays = 0.5 + 0.5 * std::cos(std::atan2(dy, dx) * 14);
    const double t = clamp01(r);
    // Red-orange in the middle, through orange to a pale sunny yellow at the edges.
    const Rgbf core = rgbf(246, 84, 28), mid = rgbf(255, 166, 36), rim = rgbf(255, 236, 120);
    const Rgbf c = t < 0.45 ? lerp(core, mid, t / 0.45) : lerp(mid, rim, (t - 0.45) / 0.55);
    const double lift = 0.03 * rays * clamp01(r * 2.5);
    return {c.r + lift, c.g + lift, c.b + lift * 0.6};
}

void paintCaption(QPainter &p, const QPainterPath &text, const QColor &colour)
{
    paintGlow(p, text, QColor(255, 250, 210, 200), 3.5);
    p.setPen(QPen(colour.darker(170), 0.7));
    p.setBrush(colour);
    p.drawPath(text);
}

void paintConfetti(QPainter &p)
{
    Random random(7);
    const std::array<QColor, 6> colours{QColor(40, 110, 230), QColor(230, 40, 60), QColor(40, 170, 70),
                                        QColor(250, 250, 250), QColor(150, 60, 200), QColor(20, 180, 200)};
    // Keep clear of the captions, labels, banner and button on the right.
    const QRectF keepClear(214, 58, 171, 306);
    int placed = 0;
    for (int tries = 0; placed < 46 && tries < 400; ++tries) {
        const QPointF at(random.range(4, 381), random.range(62, 360));
        const qreal angle = random.range(0, 180);
        const QColor colour = colours[std::size_t(random.next() * colours.size()) % colours.size()];
        const bool curl = random.next() < 0.3;
        if (keepClear.contains(at) || QRectF(18, 64, 172, 244).contains(at))
            continue;
        p.save();
        p.translate(at);
        p.rotate(angle);
        p.setPen(QPen(colour.darker(160), 0.6));
        p.setBrush(colour);
        if (curl) {
            QPainterPath c;
            c.moveTo(-5, 0);
            c.cubicTo(-2, -4, 2, 4, 5, 0);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(c);
        } else {
            p.drawRect(QRectF(-3.5, -1.8, 7, 3.6));
        }
        p.restore();
        ++placed;
    }
}

void paintTrophy(QPainter &p, const QRectF &box)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 100, box.height() / 100);
    const QLinearGradient gold = linearGradient({0, 0}, {100, 0},
                                                {{0, QColor(170, 110, 10)}, {0.3, QColor(255, 226, 110)},
                                                 {0.55, QColor(238, 180, 30)}, {1, QColor(150, 90, 10)}});
    const QPen edge(QColor(110, 60, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // Handles.
    p.setPen(QPen(QColor(110, 60, 0), 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 10, 34, 36), 90 * 16, 180 * 16);
    p.drawArc(QRectF(62, 10, 34, 36), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(240, 190, 50), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(4, 10, 34, 36), 90 * 16, 180 * 16);
    p.drawArc(QRectF(62, 10, 34, 36), -90 * 16, 180 * 16);

    QPainterPath cup;
    cup.moveTo(18, 8);
    cup.lineTo(82, 8);
    cup.cubicTo(82, 44, 66, 58, 56, 60);
    cup.lineTo(56, 72);
    cup.lineTo(44, 72);
    cup.lineTo(44, 60);
    cup.cubicTo(34, 58, 18, 44, 18, 8);
    p.setPen(edge);
    p.setBrush(gold);
    p.drawPath(cup);
    p.drawRoundedRect(QRectF(30, 72, 40, 8), 2, 2);
    p.setBrush(linearGradient({0, 80}, {0, 98}, {{0, QColor(120, 60, 30)}, {1, QColor(70, 32, 16)}}));
    p.setPen(QPen(QColor(50, 20, 8), 2));
    p.drawRoundedRect(QRectF(22, 80, 56, 18), 3, 3);
    p.setBrush(gold);
    p.setPen(QPen(QColor(110, 60, 0), 1));
    p.drawRect(QRectF(38, 85, 24, 8));

    // A star on the cup and a shine.
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = (i % 2) ? 6.5 : 15;
        const QPointF pt(50 + r * std::cos(a), 30 + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setBrush(QColor(255, 248, 200));
    p.setPen(QPen(QColor(160, 100, 0), 1.4));
    p.drawPath(star);
    p.setPen(QPen(QColor(255, 255, 255, 170), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(27, 14), QPointF(30, 36));
    p.restore();
}

} // namespace

QImage paintResults(const Faces &faces, qreal scale)
{
    Canvas canvas(resultsSize, scale);
    canvas.shade(field);
    auto p = canvas.painter();

    paintConfetti(*p);

    const QPainterPath headline = placed(textPath(faces.heavy, 50, QStringLiteral("YOU WIN !!"), 900, 1.5),
                                         QRectF(0, 8, 385, 50), Qt::AlignCenter);
    paintShadow(*p, headline, QPointF(6, 7), 3, 70);
    const QLinearGradient slate = linearGradient(
        {0, 8}, {0, 58}, {{0, QColor(214, 226, 240)}, {0.5, QColor(132, 152, 180)}, {1, QColor(84, 102, 130)}});
    paintExtruded(*p, headline, slate, QColor(52, 62, 84), QPointF(3.5, 4.5), QColor(30, 38, 56), 1.4);
    paintShine(*p, headline, QColor(255, 255, 255, 190), 1.6, QPointF(1.2, 1.6));

    paintCaption(*p, textPath(faces.heavy, 17, QStringLiteral("YOUR TIME"), 900, 1).translated(224, layout::resultsTime.top() - 5),
                 QColor(26, 76, 214));
    paintCaption(*p, textPath(faces.heavy, 17, QStringLiteral("YOUR STEP"), 900, 1).translated(224, layout::resultsSteps.top() - 5),
                 QColor(18, 142, 40));
    const int bannerTop = layout::resultsBanner.top();
    paintCaption(*p, textPath(faces.heavy, 12.5, QStringLiteral("WE CONCLUDE THAT"), 900, 0.6).translated(224, bannerTop - 21),
                 QColor(20, 20, 24));
    paintCaption(*p, textPath(faces.heavy, 12.5, QStringLiteral("YOU ARE..."), 900, 0.6).translated(224, bannerTop - 5),
                 QColor(20, 20, 24));

    paintTrophy(*p, QRectF(200, 268, 86, 86));
    paintMascot(*p, QRectF(14, 62, 180, 276), Mood::Cheer, false, true);
    p->end();
    return canvas.opaqueImage();
}

QImage paintBanner(const Faces &faces, int rank, qreal scale)
{
    struct Word
    {
        QString text;
        QColor face;
    };
    const std::array<Word, 3> words{{{QStringLiteral("GENIUS"), QColor(40, 110, 235)},
                                    {QStringLiteral("SMART"), QColor(226, 30, 40)},
                                    {QStringLiteral("STUPID"), QColor(30, 160, 50)}}};
    const Word &word = words.at(std::size_t(rank - 1));
    const QSize size = layout::resultsBanner.size();

    Canvas letters(size, scale, true);
    {
        auto p = letters.painter();
        QPainterPath text = textPath(faces.heavy, 34, word.text, 900, 1);
        const QRectF fit(4, 4, size.width() - 12, size.height() - 14);
        const qreal k = std::min(1.0, fit.width() / text.boundingRect().width());
        text = placed(QTransform::fromScale(k, k).map(text), fit, Qt::AlignCenter);
        const QLinearGradient face =
            linearGradient({0, text.boundingRect().top()}, {0, text.boundingRect().bottom()},
                           {{0, word.face.lighter(160)}, {0.45, word.face}, {1, word.face.darker(140)}});
        paintExtruded(*p, text, face, word.face.darker(260), QPointF(3, 4), word.face.darker(330), 1.2);
        paintShine(*p, text, QColor(255, 255, 255, 170), 1.3, QPointF(1, 1.3));
    }

    // Smooth the edge against the field right where the window shows the banner.
    Canvas backdrop(size, scale);
    const QPointF origin = layout::resultsBanner.topLeft();
    backdrop.shade([origin](double x, double y) { return field(x + origin.x(), y + origin.y()); });
    return withCrispAlpha(letters.image(), backdrop.image(), 0.45);
}

} // namespace artgen
