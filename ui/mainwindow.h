// The main window: the board picture with its seventeen cells, the step counter, the clock
// and the menus. It holds no game logic; every event goes to its handler in GameController.
#pragma once

#include "game/board.h"
#include "ui/boardmenu.h"
#include "ui/numberedarray.h"
#include "ui/hintpresenter.h"
#include "ui/imagecell.h"

#include <QLabel>
#include <QMainWindow>
#include <QImage>
#include <QPixmap>
#include <QTimer>

class GameController;
class QAction;

// Pictures a cell can show: 0 is the empty picture, 1..4 those in piecePictures.
enum PicIndex : int { NoPicture = 0, BallPic = 1, TilePic = 2, BallSelectedPic = 3, TileSelectedPic = 4 };

class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(GameController &game);

    NumberedArray<ImageCell *, FirstCell, LastCell> cells;
    NumberedArray<QPixmap, 1, 4> piecePictures; // ball, tile, selected ball, selected tile
    QLabel *stepLabel = nullptr;
    QLabel *timeCaption = nullptr;              // "Time :"
    QLabel *timeLabel = nullptr;

    QAction *newGameAction = nullptr;
    QAction *blackListAction = nullptr;
    QAction *yourGamesAction = nullptr;     // "&Your games"; the key Y triggers it too
    QAction *quitAction = nullptr;
    QAction *soundAction = nullptr;
    QAction *instructionsAction = nullptr;
    QAction *aboutAction = nullptr;

    // The right-click menu of the board and its keys (Ctrl+Z, H, R, W).
    BoardMenu *boardMenu = nullptr;
    // The hint's and the review's marks on the board, and what a screen reader hears of them.
    HintPresenter *hints = nullptr;

    // The cell whose centre is nearest in the arrow's direction on screen, or 0.
    static int cellInDirection(int cell, int arrowKey);

    // What a cell, the step counter and the clock show, and say to a screen reader.
    void showCell(int cell, Piece piece, bool selected);

    // The one place that says which of piecePictures shows a piece, plain or selected.
    static PicIndex pictureFor(Piece piece, bool selected);
    void showSteps(const QString &text);
    void showTime(const QString &text);

    // A review step or watching: the move's marks and the words between the STEP box and
    // the clock.
    void showBoardNote(int from, int to, const QString &text);
    void hideBoardNote();
    QLabel *noteLabel() const { return m_noteLabel; } // null until the first review

    // 1..17 while a cell has the keyboard focus (it carries the focus ring), else 0.
    int focusedCell() const;

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override; // the arrows
    // While the game plays itself, any key or click on the board hands it back; while a
    // game is reviewed, the arrows, Home, End and Escape move through it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void centreOnScreen();
    bool m_placed = false;
    void buildMenus();
    QWidget *m_client = nullptr;
    QLabel *m_noteLabel = nullptr;
    QImage m_background;
    GameController &m_game;
};
