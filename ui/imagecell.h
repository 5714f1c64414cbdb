// Small widgets the windows are made of: an image that reports clicks (a board cell, a
// rank banner) and a picture drawn unscaled from a window's top-left corner.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <QIcon>

// The stored picture <name>, or its "@2x" twin on a screen that is scaled by more than 1.5.
QPixmap artPixmap(const QString &name, qreal devicePixelRatio);

// The striped ball, in the sizes a window's icon needs.
QIcon applicationIcon();

class ImageCell final : public QWidget
{
    Q_OBJECT

public:
    explicit ImageCell(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    bool m_pressed = false;
};

// Paints a window's background picture at its natural size from the top-left corner.
void paintBackground(QWidget *window, const QPixmap &picture);
