// What the game logic asks of the main window and, through it, of the other windows.
// The real window is Form1; tests put a recording view in its place.
#pragma once

#include "game/board.h"

#include <QString>

// The windows of the game.
enum class FormId { Form1, Form2, Form3, Form4, frmAbout, YourGames };

class GameView
{
public:
    virtual ~GameView() = default;

    virtual void showCell(int cell, Piece piece, bool selected) = 0; // what KotakPic(cell) holds
    virtual void setStepText(const QString &text) = 0;     // STEPLBL
    virtual QString timeText() const = 0;                  // timelbl
    virtual void setTimeText(const QString &text) = 0;
    virtual void setTimerEnabled(bool on) = 0;             // Timer1
    virtual void setSoundChecked(bool checked) = 0;        // the check mark of sound1

    // Form4: creates it if needed, shows the rank banner, time and steps, and shows it
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

    virtual void load(FormId form) = 0;         // creates it if needed, hidden
    virtual void showModal(FormId form) = 0;    // owned by Form1; returns once it is unloaded
    virtual void showInFront(FormId form) = 0;  // a shown window above the others, and active
    virtual void focusCell(int cell) = 0;       // the board's keyboard focus goes to KotakPic(cell)
    virtual void unload(FormId form) = 0;       // nothing when it is not loaded or already unloading
    virtual void endProgram() = 0;              // at once, no further handler
};
