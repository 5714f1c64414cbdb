// A board cell: a button that shows one of the piece pictures, or none, and carries a focus
// ring while it has the keyboard.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

// Qt's button gives the click (a press and a release on the cell), Space, the focus and the
// button a screen reader announces; this class adds the picture, the ring and Return.
// Every other key goes on to the window, the arrows too: the window moves the ring by them.
class ImageCell final : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ImageCell(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void paintFocusRing(QPainter &painter) const;

    QPixmap m_picture;
};
