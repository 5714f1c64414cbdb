// The board's right-click menu with "Undo move" (Ctrl+Z), "Hint" (H), "Review this game"
// (R) and "Watch the best finish" (W). The keys are shortcuts of the whole main window, so
// they work wherever the focus is in it; the menu greys out what cannot act when it opens.
#pragma once

#include <QObject>
#include <QPoint>

class GameController;
class QAction;
class QMenu;
class QWidget;

class BoardMenu final : public QObject
{
    Q_OBJECT

public:
    // window: takes the keys. board: the widget under the cells; it opens the menu on a
    // right-click.
    BoardMenu(QWidget *window, QWidget *board, GameController &game);

    QAction *undoMove = nullptr;
    QAction *hint = nullptr;
    QAction *review = nullptr;
    QAction *watch = nullptr;
    QMenu *menu = nullptr; // made at the first right-click

private:
    void popup(const QPoint &boardPos);

    QWidget *m_board;
    GameController &m_game;
};
