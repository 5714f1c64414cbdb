// The image widget the windows are made of: a picture that reports clicks (a board cell,
// a rank banner, the instructions' page).
#pragma once

#include <QAccessible>
#include <QPixmap>
#include <QString>
#include <QWidget>

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
