// The marks of a hint over the board: a ring round the piece to move, a ring on the cell
// it goes to and an arrow between them, drawn with QPainter at the screen's own pixel
// density so they are sharp at every scale. They vanish after about a second.
#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

class HintMarks final : public QWidget
{
    Q_OBJECT

public:
    // cellRect: where cell number cell stands in the parent.
    HintMarks(std::function<QRect(int cell)> cellRect, QWidget *board);

    // For ShowMs, or until clear() when forMs is 0 (a review step).
    void showMove(int from, int to, int forMs = ShowMs);
    void clear();

    int from() const { return m_from; }
    int to() const { return m_to; }

    static constexpr int ShowMs = 1000;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::function<QRect(int)> m_cellRect;
    QTimer m_timer;
    int m_from = 0;
    int m_to = 0;
};
