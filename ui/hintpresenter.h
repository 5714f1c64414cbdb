// How the board presents a hint and a reviewed move: the marks over the cells, and the
// words a screen reader hears through the board's accessible description.
#pragma once

#include "ui/hintmarks.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>

class HintPresenter final : public QObject
{
    Q_OBJECT

public:
    // board: the widget under the cells, which carries the marks and the description.
    // cellRect: where cell number cell stands on it.
    HintPresenter(QWidget *board, std::function<QRect(int cell)> cellRect);

    // Marks the move for about a second and says it, with the moves still to go at best.
    void showHint(int from, int to, int movesLeft);
    // Marks a reviewed move until the marks are cleared; from 0 marks none.
    void markMove(int from, int to);
    void clearMarks();

    // Says text to a screen reader; an empty text leaves the board silent.
    void tell(const QString &text);

    HintMarks *marks() const { return m_marks; }

private:
    QWidget *m_board;
    HintMarks *m_marks;
};
