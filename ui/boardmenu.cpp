#include "ui/boardmenu.h"

#include "game/gamecontroller.h"

#include <QAction>
#include <QMenu>

BoardMenu::BoardMenu(QWidget *window, QWidget *board, GameController &game, std::function<QRect(int)> cellRect)
    : QObject(window)
    , m_board(board)
    , m_game(game)
{
    undoMove = new QAction(QStringLiteral("Undo move"), this);
    undoMove->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    hint = new QAction(QStringLiteral("Hint"), this);
    hint->setShortcut(QKeySequence(Qt::Key_H));
    review = new QAction(QStringLiteral("Review this game"), this);
    review->setShortcut(QKeySequence(Qt::Key_R));
    watch = new QAction(QStringLiteral("Watch the best finish"), this);
    watch->setShortcut(QKeySequence(Qt::Key_W));
    for (QAction *action : {undoMove, hint, review, watch}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    connect(undoMove, &QAction::triggered, this, [this] { m_game.undoMove_Click(); });
    connect(hint, &QAction::triggered, this, [this] { m_game.hint_Click(); });
    connect(review, &QAction::triggered, this, [this] { m_game.review_Click(); });
    connect(watch, &QAction::triggered, this, [this] { m_game.watch_Click(); });

    board->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(board, &QWidget::customContextMenuRequested, this, &BoardMenu::popup);

    marks = new HintMarks(std::move(cellRect), board);
}

void BoardMenu::popup(const QPoint &boardPos)
{
    // Made at the first right-click: most games never open it, and the window opens sooner.
    if (!menu) {
        menu = new QMenu(m_board);
        menu->addAction(undoMove);
        menu->addAction(hint);
        menu->addSeparator();
        menu->addAction(review);
        menu->addAction(watch);
        // Greyed only while the menu is open: the keys must keep reaching the game, which
        // ignores them itself when they cannot act.
        connect(menu, &QMenu::aboutToHide, this, [this] {
            for (QAction *action : {undoMove, hint, review, watch})
                action->setEnabled(true);
        });
    }
    undoMove->setEnabled(m_game.canUndo());
    hint->setEnabled(m_game.canHint());
    review->setEnabled(m_game.canReview() || m_game.reviewing());
    menu->popup(m_board->mapToGlobal(boardPos));
}

void BoardMenu::showHint(int from, int to, int movesLeft)
{
    marks->showMove(from, to);
    const QString text = movesLeft == 1
                             ? QStringLiteral("Hint: move the piece on cell %1 to cell %2. This is the last move.").arg(from).arg(to)
                             : QStringLiteral("Hint: move the piece on cell %1 to cell %2. %3 moves to go at best.")
                                   .arg(from).arg(to).arg(movesLeft);
    tell(text);
}

void BoardMenu::tell(const QString &text)
{
    // The same text again would not be announced: a change is what a screen reader hears.
    if (m_board->accessibleDescription() == text)
        m_board->setAccessibleDescription(QString());
    m_board->setAccessibleDescription(text);
}

void BoardMenu::hideHint()
{
    marks->clear();
}
