// What the game logic asks of the main window and, through it, of the other windows.
// The real one is GameWindows (app/); tests put a recording view in its place.
#pragma once

#include "game/board.h"

#include <QString>

// The windows of the game.
enum class WindowId { Main, Instructions, BlackList, Results, About, YourGames };

class GameView
{
public:
    virtual ~GameView() = default;

    // What the board, the step count and the clock show. The logic owns the clock and the
    // count; the view only shows the text it is given.
    virtual void showCell(int cell, Piece piece, bool selected) = 0;
    virtual void setStepText(const QString &text) = 0;
    virtual void setTimeText(const QString &text) = 0;
    virtual void setSoundChecked(bool checked) = 0; // the Sound setting as the menu shows it

    // The results of a won game: the rank banner, the time and the steps, in a window of
    // their own that shows without an owner and without keeping the board from play (one
    // already open is refreshed in place).
    virtual void showResults(int rank, const QString &time, const QString &steps) = 0;

    // The hint: marks the piece on cell from and the empty cell to for about a second, and
    // tells a screen reader that movesLeft moves remain at best. hideHint drops the marks.
    virtual void showHint(int from, int to, int movesLeft) = 0;
    virtual void hideHint() = 0;

    // The review of a game: marks the move from -> to (none when from is 0) until
    // hideBoardNote, and shows text on the board and to a screen reader. The cells are
    // shown through showCell as usual.
    virtual void showBoardNote(int from, int to, const QString &text) = 0;
    virtual void hideBoardNote() = 0;

    virtual void load(WindowId window) = 0;        // creates it if needed, hidden
    virtual void showModal(WindowId window) = 0;   // over the main window; returns once it is unloaded
    virtual void showInFront(WindowId window) = 0; // a shown window above the others, and active
    virtual void focusCell(int cell) = 0;          // the board's keyboard focus goes to this cell
    virtual void unload(WindowId window) = 0;      // nothing when it is not loaded or already unloading
    virtual void endProgram() = 0;                 // at once, no further handler
};
