#include "ui/imagecell.h"

#include "ui/imagestore.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

int artRatio(qreal devicePixelRatio)
{
    // A hair of tolerance: a ratio computed as 2.0000001 is still a 2x screen.
    for (int ratio = 1; ratio < maxArtRatio; ++ratio) {
        if (ratio >= devicePixelRatio - 1e-6)
            return ratio;
    }
    return maxArtRatio;
}

QPixmap artPixmap(const QString &name, qreal devicePixelRatio)
{
    for (int ratio = artRatio(devicePixelRatio); ratio > 1; --ratio) {
        QPixmap sharp = storedPicture(QStringLiteral("%1@%2x").arg(name).arg(ratio));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(ratio);
            return sharp;
        }
    }
    return storedPicture(name);
}

QIcon applicationIcon()
{
    // Made once and shared, so its pictures are decompressed once for every window. Only
    // the sizes up to 64 px go into a window's icon; larger ones are the icon theme's.
    static QIcon *icon = nullptr;
    if (!icon) {
        icon = new QIcon;
        for (int size : {16, 22, 24, 32, 48, 64})
            icon->addPixmap(storedPicture(QStringLiteral("icon-%1").arg(size)));
        qAddPostRoutine([] {
            delete icon;
            icon = nullptr;
        });
    }
    return *icon;
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
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
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
    if (picture.isNull())
        return;
    QPainter painter(window);
    // Between two painted ratios the picture is made smaller, never larger: smoothly, so it
    // stays crisp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, picture);

    // Where the window is larger than its picture, the picture's last column and last row
    // are drawn out to the window's edges, so the margin carries on the picture's own edge
    // colours instead of showing a strip of another colour. Unsmoothed, so that no colour
    // from further inside bleeds into it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QSizeF size = picture.deviceIndependentSize();
    const qreal right = window->width() - size.width(), bottom = window->height() - size.height();
    const qreal w = picture.width(), h = picture.height();
    if (right > 0)
        painter.drawPixmap(QRectF(size.width(), 0, right, size.height()), picture, QRectF(w - 1, 0, 1, h));
    if (bottom > 0)
        painter.drawPixmap(QRectF(0, size.height(), size.width(), bottom), picture, QRectF(0, h - 1, w, 1));
    if (right > 0 && bottom > 0)
        painter.drawPixmap(QRectF(size.width(), size.height(), right, bottom), picture, QRectF(w - 1, h - 1, 1, 1));
}
