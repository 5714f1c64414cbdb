#include "ui/imagecell.h"

#include <QMouseEvent>
#include <QPainter>

QPixmap artPixmap(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.5) {
        QPixmap sharp(QStringLiteral(":/art/%1@2x.png").arg(name));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(QStringLiteral(":/art/%1.png").arg(name));
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/art/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

ImageCell::ImageCell(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageCell::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void ImageCell::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void ImageCell::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ImageCell::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release on the same cell.
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void paintBackground(QWidget *window, const QPixmap &picture)
{
    QPainter painter(window);
    painter.drawPixmap(0, 0, picture);
}
