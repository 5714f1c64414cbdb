#include "ui/background.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Rows per band, in the window's pixels: 90 rows of the screen's at 3x, under the hundred.
constexpr int BandRows = 30;

} // namespace

void paintBackground(QWidget *window, const QImage &picture, const QRect &area)
{
    if (picture.isNull())
        return;
    QPainter painter(window);
    // Between two painted ratios the picture is made smaller, never larger: smoothly, so it
    // stays crisp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Qt hands a draw that converts pixels over more than about a hundred rows to a pool of
    // worker threads: two threads more, and their memory, for a window that takes a tenth
    // of a millisecond to draw. Clipped to bands of rows, the draw stays on this thread and
    // every pixel comes out as drawn whole.
    const QSizeF size = picture.deviceIndependentSize();
    const int bottomRow = std::min(area.bottom(), int(std::ceil(size.height())) - 1);
    for (int top = area.top() / BandRows * BandRows; top <= bottomRow; top += BandRows) {
        painter.setClipRect(QRect(area.left(), top, area.width(), BandRows));
        painter.drawImage(0, 0, picture);
    }
    painter.setClipping(false);

    // Where the window is larger than its picture, the picture's last column and last row
    // are drawn out to the window's edges, so the margin carries on the picture's own edge
    // colours instead of showing a strip of another colour. Unsmoothed, so that no colour
    // from further inside bleeds into it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const qreal right = window->width() - size.width(), bottom = window->height() - size.height();
    const qreal w = picture.width(), h = picture.height();
    if (right > 0)
        painter.drawImage(QRectF(size.width(), 0, right, size.height()), picture, QRectF(w - 1, 0, 1, h));
    if (bottom > 0)
        painter.drawImage(QRectF(0, size.height(), size.width(), bottom), picture, QRectF(0, h - 1, w, 1));
    if (right > 0 && bottom > 0)
        painter.drawImage(QRectF(size.width(), size.height(), right, bottom), picture, QRectF(w - 1, h - 1, 1, 1));
}
