// A window's background picture, drawn unscaled from its top-left corner, and the bands of
// rows it and the cells are drawn in.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <functional>

// Calls draw once for each band of rows of area, with the painter clipped to it; once, and
// unclipped, when area is no taller than a band. Qt hands a draw that blends or converts
// pixels over more than about a hundred of the screen's rows to a pool of worker threads:
// two threads more, and their memory, for a draw of a tenth of a millisecond. In bands, a
// draw stays on the window thread, and every pixel comes out as drawn whole. The painter's
// clip may be off afterwards.
void paintInBands(QPainter &painter, const QRect &area, const std::function<void()> &draw);

// Paints the area (the paint event's rectangle) of a window's background picture, the
// picture at its natural size from the top-left corner; a window larger than its picture
// gets the picture's edge colours in the margin.
void paintBackground(QWidget *window, const QImage &picture, const QRect &area);
