#include "ui/boardmenu.h"

#include "game/gamecontroller.h"

#include <QAction>
#include <QMenu>

BoardMenu::BoardMenu(QWidget *window, QWidget *board, GameController &game)
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
    connect(undoMove, &QAction::triggered, this, [this] { m_game.undoRequested(); });
    connect(hint, &QAction::triggered, this, [this] { m_game.hintRequested(); });
    connect(review, &QAction::triggered, this, [this] { m_game.reviewRequested(); });
    connect(watch, &QAction::triggered, this, [this] { m_game.watchRequested(); });

    board->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(board, &QWidget::customContextMenuRequested, this, &BoardMenu::popup);
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
