#include "ui/hintmarks.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

// The red of the title and the lilac-grey of the grid, so the marks belong to the board.
const QColor MarkRed(206, 18, 26);
const QColor MarkDark(90, 0, 10);
const QColor GridLight(244, 242, 248);

} // namespace

HintMarks::HintMarks(std::function<QRect(int)> cellRect, QWidget *board)
    : QWidget(board)
    , m_cellRect(std::move(cellRect))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    m_timer.setSingleShot(true);
    m_timer.setInterval(ShowMs);
    connect(&m_timer, &QTimer::timeout, this, &HintMarks::clear);
    hide();
}

void HintMarks::showMove(int from, int to, int forMs)
{
    m_from = from;
    m_to = to;
    setGeometry(parentWidget()->rect());
    raise();
    show();
    update();
    if (forMs > 0)
        m_timer.start(forMs);
    else
        m_timer.stop();
}

void HintMarks::clear()
{
    m_timer.stop();
    m_from = 0;
    m_to = 0;
    hide();
}

void HintMarks::paintEvent(QPaintEvent *)
{
    if (m_from == 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF fromCell = m_cellRect(m_from);
    const QRectF toCell = m_cellRect(m_to);
    const qreal radius = fromCell.width() / 2 - 1.5;

    auto ring = [&](QPointF centre, Qt::PenStyle style) {
        // A light halo under a red line keeps the ring readable on the ball's dark
        // squares and on the pale marble alike.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(GridLight, 5.0, Qt::SolidLine));
        p.drawEllipse(centre, radius, radius);
        QPen red(MarkRed, 2.6, style, Qt::RoundCap);
        if (style != Qt::SolidLine)
            red.setDashPattern({2.2, 1.6});
        p.setPen(red);
        p.drawEllipse(centre, radius, radius);
    };
    ring(fromCell.center(), Qt::SolidLine);
    ring(toCell.center(), Qt::DashLine);

    // The arrow runs from ring to ring; a jump's arrow passes over the piece it jumps.
    QLineF line(fromCell.center(), toCell.center());
    const qreal length = line.length();
    if (length <= 2 * radius)
        return;
    QLineF shaft(line.pointAt(radius / length), line.pointAt(1 - (radius + 1) / length));
    const qreal head = 9.0;
    const QPointF tip = shaft.p2();
    const qreal angle = std::atan2(shaft.dy(), shaft.dx());
    auto at = [&](qreal turn, qreal size) {
        return tip - QPointF(std::cos(angle + turn) * size, std::sin(angle + turn) * size);
    };
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(at(0.5, head));
    arrow.lineTo(at(-0.5, head));
    arrow.closeSubpath();
    shaft.setP2(tip - QPointF(std::cos(angle) * head * 0.8, std::sin(angle) * head * 0.8));

    p.setPen(QPen(GridLight, 6.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shaft);
    p.setPen(QPen(GridLight, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(GridLight);
    p.drawPath(arrow);
    p.setPen(QPen(MarkRed, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shaft);
    p.setPen(QPen(MarkDark, 0.8));
    p.setBrush(MarkRed);
    p.drawPath(arrow);
}
