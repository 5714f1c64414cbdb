// The board's right-click menu with "Undo move" (Ctrl+Z), "Hint" (H), "Review this game"
// (R) and "Watch the best finish" (W), and the hint's marks and spoken text. The keys are
// shortcuts of the whole main window, so they work wherever the focus is in it; the menu
// greys out what cannot act when it opens.
#pragma once

#include "ui/hintmarks.h"

#include <QObject>

class GameController;
class QAction;
class QMenu;

class BoardMenu final : public QObject
{
    Q_OBJECT

public:
    // window: takes the two keys. board: the widget under the cells; it opens the menu on
    // a right-click, carries the marks and tells a screen reader about the hint.
    BoardMenu(QWidget *window, QWidget *board, GameController &game, std::function<QRect(int cell)> cellRect);

    void showHint(int from, int to, int movesLeft);
    void hideHint();
    // Says text to a screen reader through the board's description.
    void tell(const QString &text);

    QAction *undoMove = nullptr;
    QAction *hint = nullptr;
    QAction *review = nullptr;
    QAction *watch = nullptr;
    QMenu *menu = nullptr; // made at the first right-click
    HintMarks *marks = nullptr;

private:
    void popup(const QPoint &boardPos);

    QWidget *m_board;
    GameController &m_game;
};
