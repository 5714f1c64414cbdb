#include "ui/hintpresenter.h"

HintPresenter::HintPresenter(QWidget *board, std::function<QRect(int)> cellRect)
    : QObject(board)
    , m_board(board)
    , m_marks(new HintMarks(std::move(cellRect), board))
{
}

void HintPresenter::showHint(int from, int to, int movesLeft)
{
    m_marks->showMove(from, to);
    const QString text = movesLeft == 1
                             ? QStringLiteral("Hint: move the piece on cell %1 to cell %2. This is the last move.").arg(from).arg(to)
                             : QStringLiteral("Hint: move the piece on cell %1 to cell %2. %3 moves to go at best.")
                                   .arg(from).arg(to).arg(movesLeft);
    tell(text);
}

void HintPresenter::markMove(int from, int to)
{
    if (from != 0)
        m_marks->showMove(from, to, 0);
    else
        m_marks->clear();
}

void HintPresenter::clearMarks()
{
    m_marks->clear();
}

void HintPresenter::tell(const QString &text)
{
    // The same text again would not be announced: a change is what a screen reader hears.
    if (!text.isEmpty() && m_board->accessibleDescription() == text)
        m_board->setAccessibleDescription(QString());
    m_board->setAccessibleDescription(text);
}
