// Small widgets the windows are made of: an image that reports clicks (a board cell, a
// rank banner) and a picture drawn unscaled from a window's top-left corner.
#pragma once

#include <QAccessible>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <QIcon>

// The pictures are painted at 1x and as "@2x" and "@3x" twins.
inline constexpr int maxArtRatio = 3;
// The painted ratio a screen of this device pixel ratio gets: the smallest at or above it,
// so a picture is only ever made smaller on screen (and stays crisp), or the largest.
int artRatio(qreal devicePixelRatio);
// The stored picture <name>, or its "@2x"/"@3x" twin at artRatio(devicePixelRatio).
QPixmap artPixmap(const QString &name, qreal devicePixelRatio);

// The game's icon, a ball beside a tile, in the sizes a window's icon needs.
QIcon applicationIcon();

// A picture that reports clicks. Given a focus policy it also takes the keyboard: Space
// and Return click it, and a focus ring marks it while it has the focus; every other key
// goes on to the window. A screen reader hears its accessible name in the given role.
class ImageCell final : public QWidget
{
    Q_OBJECT

public:
    explicit ImageCell(QWidget *parent = nullptr, QAccessible::Role role = QAccessible::Graphic);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

    QAccessible::Role accessibleRole() const { return m_role; }
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The marks drawn over the picture, one function each, in the order they stack.
    void paintFocusRing(QPainter &painter) const;

    QPixmap m_picture;
    bool m_pressed = false;
    QAccessible::Role m_role;
};

// Paints a window's background picture at its natural size from the top-left corner; a
// window larger than its picture gets the picture's edge colours in the margin.
void paintBackground(QWidget *window, const QPixmap &picture);
