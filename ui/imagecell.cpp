#include "ui/imagecell.h"

#include "ui/imagestore.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

QPixmap artPixmap(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.5) {
        QPixmap sharp = storedPicture(name + QStringLiteral("@2x"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
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
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            if (size <= 64)
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
