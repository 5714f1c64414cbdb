// A window's background picture, drawn unscaled from its top-left corner.
#pragma once

#include <QImage>
#include <QWidget>

// Paints the area (the paint event's rectangle) of a window's background picture, the
// picture at its natural size from the top-left corner; a window larger than its picture
// gets the picture's edge colours in the margin.
void paintBackground(QWidget *window, const QImage &picture, const QRect &area);
