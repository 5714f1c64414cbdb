// The black-list window: grey bubbles, the headline with its glow, the raised silver frame
// that holds the ten rows under the painted column titles, and Karvo shouting in the
// bottom corners.
#include "mascot.h"
#include "pictures.h"

#include <QPainterPath>

#include <cmath>

namespace artgen {

namespace {

void paintBubble(QPainter &p, QPointF c, qreal r, QColor tint)
{
    QColor inner = tint.lighter(112), outer = tint.darker(135);
    inner.setAlpha(120);
    outer.setAlpha(200);
    p.setPen(QPen(tint.darker(160), std::max(0.6, r * 0.06)));
    p.setBrush(radialGradient(c + QPointF(-r * 0.3, -r * 0.35), r * 1.25,
                              {{0, inner}, {0.75, QColor(tint.red(), tint.green(), tint.blue(), 90)}, {1, outer}}));
    p.drawEllipse(c, r, r);
    // The window of light that makes it glossy.
    p.setPen(Qt::NoPen);
    p.setBrush(radialGradient(c + QPointF(-r * 0.38, -r * 0.42), r * 0.45,
                              {{0, QColor(255, 255, 255, 220)}, {1, QColor(255, 255, 255, 0)}}));
    p.drawEllipse(c + QPointF(-r * 0.38, -r * 0.42), r * 0.45, r * 0.38);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(c + QPointF(r * 0.42, r * 0.45), r * 0.12, r * 0.12);
}

} // namespace

void paintBubbles(QPainter &p, const QRectF &area, int count, std::uint64_t seed, QColor tint, qreal minR,
                  qreal maxR)
{
    Random random(seed);
    struct Bubble
    {
        QPointF c;
        qreal r;
    };
    std::vector<Bubble> bubbles;
    for (int i = 0; i < count; ++i) {
        const qreal t = random.next();
        bubbles.push_back({QPointF(random.range(area.left(), area.right()), random.range(area.top(), area.bottom())),
                           minR + (maxR - minR) * t * t});
    }
    // Big ones behind small ones.
    std::stable_sort(bubbles.begin(), bubbles.end(), [](const Bubble &a, const Bubble &b) { return a.r > b.r; });
    for (const Bubble &b : bubbles)
        paintBubble(p, b.c, b.r, tint);
}

QImage paintBlackList(const Faces &faces, qreal scale)
{
    const QSize size(329, 357);
    Canvas canvas(size, scale);
    auto p = canvas.painter();
    p->fillRect(QRectF(QPointF(0, 0), QSizeF(size)),
                linearGradient({0, 0}, {0, qreal(size.height())},
                               {{0, QColor(186, 188, 192)}, {1, QColor(128, 130, 136)}}));
    paintBubbles(*p, QRectF(-10, -10, size.width() + 20, size.height() + 20), 48, 31, QColor(150, 152, 160), 3, 24);

    // Headline.
    const QPainterPath headline = placed(textPath(faces.heavy, 27, QStringLiteral("BLACK LIST BOARD"), 900, 1),
                                         QRectF(0, 8, size.width(), 28), Qt::AlignCenter);
    paintGlow(*p, headline, QColor(255, 236, 40, 230), 6, 10);
    p->setPen(QPen(QColor(0, 0, 0), 0.8));
    p->setBrush(QColor(16, 16, 18));
    p->drawPath(headline);

    // OF, then SiCk PeOpLe in blue and yellow letters.
    std::vector<QPainterPath> letters =
        letterPaths(faces.heavy, 24, QStringLiteral("OF SiCk PeOpLe"), 900, 1.2);
    QRectF line;
    for (const auto &l : letters)
        line = line.united(l.boundingRect());
    const QPointF shift(size.width() / 2.0 - line.center().x(), 68);
    int coloured = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const QPainterPath letter = letters[i].translated(shift);
        if (letter.isEmpty())
            continue;
        QColor face;
        if (i < 2)
            face = QColor(222, 24, 30);
        else
            face = (coloured++ % 2) ? QColor(255, 214, 20) : QColor(30, 80, 220);
        paintShadow(*p, letter, QPointF(2, 2.5), 1.5, 110);
        paintExtruded(*p, letter, face, face.darker(220), QPointF(1.6, 2), QColor(20, 20, 30), 1.0);
    }

    // The raised silver frame and its sunken panel.
    const QRectF outer(30, 90, 262, 204), inner(40, 100, 242, 186);
    paintShadow(*p, [&] { QPainterPath s; s.addRoundedRect(outer, 8, 8); return s; }(), QPointF(4, 5), 4, 120);
    p->setPen(QPen(QColor(70, 72, 84), 1.2));
    p->setBrush(linearGradient(outer.topLeft(), outer.bottomRight(),
                               {{0, QColor(250, 250, 255)}, {0.35, QColor(196, 198, 208)},
                                {0.6, QColor(232, 234, 240)}, {1, QColor(120, 122, 134)}}));
    p->drawRoundedRect(outer, 8, 8);
    p->setPen(QPen(QColor(255, 255, 255, 220), 1.2));
    p->setBrush(Qt::NoBrush);
    p->drawRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -1.5), 7, 7);
    p->setPen(Qt::NoPen);
    p->setBrush(linearGradient(inner.topLeft(), inner.bottomLeft(),
                               {{0, QColor(226, 228, 232)}, {1, QColor(244, 245, 248)}}));
    p->drawRoundedRect(inner, 4, 4);
    // Faint bands under every other row help the eye along a row.
    for (int i = 0; i < layout::blackListRows; i += 2) {
        const qreal top = BlackListLayout::row(BlackListLayout::Name, i).top;
        p->setBrush(QColor(200, 204, 220, 110));
        p->drawRect(QRectF(inner.left() + 3, top, inner.width() - 6, BlackListLayout::RowStep));
    }
    p->setPen(QPen(QColor(90, 92, 104), 1.2));
    p->setBrush(Qt::NoBrush);
    p->drawRoundedRect(inner, 4, 4);
    p->setPen(QPen(QColor(255, 255, 255), 1.0));
    p->drawLine(inner.bottomLeft() + QPointF(4, 0.8), inner.bottomRight() + QPointF(-4, 0.8));

    // Column titles centred over their labels, and a rule under them.
    const qreal titleBase = 115;
    for (const auto &[label, text] : {std::pair{QRectF(layout::blackListName), QStringLiteral("Name")},
                                      std::pair{QRectF(layout::blackListScore), QStringLiteral("Step")}}) {
        QPainterPath title = textPath(faces.heavy, 14, text, 900, 0.8);
        title = title.translated(label.center().x() - title.boundingRect().center().x(), titleBase);
        p->setPen(QPen(QColor(110, 0, 8), 0.6));
        p->setBrush(QColor(216, 24, 30));
        p->drawPath(title);
    }
    p->setPen(QPen(QColor(150, 40, 40, 150), 1));
    p->drawLine(QPointF(inner.left() + 8, 118.5), QPointF(inner.right() - 8, 118.5));
    p->setPen(QPen(QColor(150, 152, 166, 160), 1));
    p->drawLine(QPointF(164.5, 104), QPointF(164.5, 282));

    // Karvo shouting in both bottom corners.
    paintMascot(*p, QRectF(-8, 300, 54, 57), Mood::Shout);
    paintMascot(*p, QRectF(283, 300, 54, 57), Mood::Shout, true);
    p->end();
    return canvas.opaqueImage();
}

} // namespace artgen
