// What the game logic asks of the main window and, through it, of the other windows.
// The real one is GameWindows (app/); tests put a recording view in its place.
#pragma once

#include "game/board.h"

#include <QString>

// The five windows of the game.
enum class WindowId { Main, Instructions, BlackList, Results, About };

class GameView
{
public:
    virtual ~GameView() = default;

    virtual void showCell(int cell, Piece piece, bool selected) = 0; // what cells(cell) holds
    virtual void setStepText(const QString &text) = 0;     // stepLabel
    virtual QString timeText() const = 0;                  // timeLabel
    virtual void setTimeText(const QString &text) = 0;
    virtual void setTimerEnabled(bool on) = 0;             // Timer1
    virtual void setSoundChecked(bool checked) = 0;        // the check mark of sound1

    // ResultsWindow: creates it if needed, shows the rank banner, time and steps, and shows it
    // modeless without an owner (an open one is refreshed in place).
    virtual void showResults(int rank, const QString &time, const QString &steps) = 0;

    // The hint: marks the piece on cell from and the empty cell to for about a second, and
    // tells a screen reader that movesLeft moves remain at best. hideHint drops the marks.
    virtual void showHint(int from, int to, int movesLeft) = 0;
    virtual void hideHint() = 0;

    // The review of a game: marks the move from -> to (none when from is 0) until
    // hideBoardNote, and shows text on the main window and to a screen reader. The cells are
    // shown through showCell as usual.
    virtual void showBoardNote(int from, int to, const QString &text) = 0;
    virtual void hideBoardNote() = 0;

    virtual void load(WindowId form) = 0;         // creates it if needed, hidden
    virtual void showModal(WindowId form) = 0;    // owned by MainWindow; returns once it is unloaded
    virtual void showInFront(WindowId form) = 0;  // a shown window above the others, and active
    virtual void focusCell(int cell) = 0;       // the board's keyboard focus goes to cells(cell)
    virtual void unload(WindowId form) = 0;       // nothing when it is not loaded or already unloading
    virtual void endProgram() = 0;              // at once, no further handler
};
