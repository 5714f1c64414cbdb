#include "ui/imagecell.h"

#include "ui/background.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

ImageCell::ImageCell(QWidget *parent)
    : QAbstractButton(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageCell::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void ImageCell::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_picture.isNull())
        paintInBands(painter, event->rect(), [&] { painter.drawPixmap(0, 0, m_picture); });
    if (hasFocus())
        paintFocusRing(painter);
}

void ImageCell::paintFocusRing(QPainter &painter) const
{
    // Engraved like the board's grid: a dark violet band with a white line inside, square
    // and on whole logical pixels, so it stays sharp at 1x and 2x. Cut corners keep it
    // clear of the pieces' round edges.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const auto frame = [&box](qreal inset, qreal cut) {
        const QRectF r = box.adjusted(inset, inset, -inset, -inset);
        return QPolygonF({r.topLeft() + QPointF(cut, 0), r.topRight() - QPointF(cut, 0),
                          r.topRight() + QPointF(0, cut), r.bottomRight() - QPointF(0, cut),
                          r.bottomRight() - QPointF(cut, 0), r.bottomLeft() + QPointF(cut, 0),
                          r.bottomLeft() - QPointF(0, cut), r.topLeft() + QPointF(0, cut),
                          r.topLeft() + QPointF(cut, 0)});
    };
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(84, 80, 94), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(frame(0, 6));
    painter.drawPolyline(frame(1, 6));
    painter.setPen(QPen(QColor(250, 250, 255), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(frame(2, 6));
    painter.restore();
}

void ImageCell::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        // Qt's button leaves Return to dialogs; on the board it clicks, once however long
        // it is held.
        if (!event->isAutoRepeat())
            click();
        return;
    }
    // Qt's button would take the arrows to move the focus along the widgets' order, which
    // on this board is no direction at all, and a modified Space belongs to the window.
    if (plain && key == Qt::Key_Space)
        QAbstractButton::keyPressEvent(event);
    else
        event->ignore();
}
