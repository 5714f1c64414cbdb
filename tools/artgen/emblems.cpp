// The black tick on the results window's button.
#include "pictures.h"

#include <QPainterPath>

namespace artgen {

QImage paintTick(int side, qreal scale)
{
    Canvas canvas(QSize(side, side), scale, true);
    auto p = canvas.painter();
    p->scale(side / 32.0, side / 32.0);
    QPainterPath tick;
    tick.moveTo(5, 17);
    tick.lineTo(12.5, 25);
    tick.cubicTo(16, 17, 21, 10, 28, 5);
    // A hair of white round the black keeps it readable on a dark button.
    p->setPen(QPen(QColor(255, 255, 255, 160), 7.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->drawPath(tick);
    p->setPen(QPen(Qt::black, 5.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->drawPath(tick);
    p->end();
    return canvas.image().convertToFormat(QImage::Format_ARGB32);
}

} // namespace artgen
