#include "ui/background.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Rows of the screen a draw may cover and stay on the window thread: under the hundred.
constexpr int ScreenRowsPerBand = 90;

} // namespace

void paintInBands(QPainter &painter, const QRect &area, const std::function<void()> &draw)
{
    const int bandRows = std::max(1, int(ScreenRowsPerBand / painter.device()->devicePixelRatioF()));
    // A cell, a label, most of what a click repaints: one draw, no clip.
    if (area.height() <= bandRows) {
        draw();
        return;
    }
    for (int top = area.top(); top <= area.bottom(); top += bandRows) {
        painter.setClipRect(QRect(area.left(), top, area.width(), bandRows));
        draw();
    }
    painter.setClipping(false);
}

void paintBackground(QWidget *window, const QImage &picture, const QRect &area)
{
    if (picture.isNull())
        return;
    QPainter painter(window);
    // Between two painted ratios the picture is made smaller, never larger: smoothly, so it
    // stays crisp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF size = picture.deviceIndependentSize();
    const QRect pictured = area.intersected(QRect(0, 0, int(std::ceil(size.width())), int(std::ceil(size.height()))));
    paintInBands(painter, pictured, [&] { painter.drawImage(0, 0, picture); });

    // Where the window is larger than its picture, the picture's last column and last row
    // are drawn out to the window's edges, so the margin carries on the picture's own edge
    // colours instead of showing a strip of another colour. Unsmoothed, so that no colour
    // from further inside bleeds into it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const qreal right = window->width() - size.width(), bottom = window->height() - size.height();
    const qreal w = picture.width(), h = picture.height();
    if (right <= 0 && bottom <= 0)
        return;
    paintInBands(painter, area, [&] {
        if (right > 0)
            painter.drawImage(QRectF(size.width(), 0, right, size.height()), picture, QRectF(w - 1, 0, 1, h));
        if (bottom > 0)
            painter.drawImage(QRectF(0, size.height(), size.width(), bottom), picture, QRectF(0, h - 1, w, 1));
        if (right > 0 && bottom > 0)
            painter.drawImage(QRectF(size.width(), size.height(), right, bottom), picture, QRectF(w - 1, h - 1, 1, 1));
    });
}
