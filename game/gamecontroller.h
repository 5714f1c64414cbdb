// The logic of the main window: the game state, the play command, the clicks on the
// seventeen cells, the clock and its tick, the victory and the menu commands. MainWindow
// forwards each event to its handler here, named for what the player did.
#pragma once

#include "game/board.h"
#include "game/gameview.h"
#include "game/gameclock.h"
#include "game/gamehistory.h"
#include "game/gamereview.h"
#include "game/solver.h"
#include "game/gamerecorder.h"
#include "audio/cues.h"

#include <QTimer>

#include <cstdint>
#include <optional>
#include <vector>

class Dialogs;
class TopTenList;

// 1 (GENIUS) up to the shortest win's 46 steps, 2 (SMART) from 47 to 53, 3 (STUPID) from 54.
int rankForSteps(std::int64_t steps);

class GameController
{
public:
    GameController(GameView &view, Dialogs &dialogs, CuePlayer &sound, TopTenList &topTen);

    void start();
    void mainWindowClosed();
    void newGameRequested();
    void startNewGame();
    void cellClicked(int cell);
    void clockTicked();
    void checkWin();
    void gameWon();
    void blackListRequested();
    void quitRequested();
    void soundToggled();
    void instructionsRequested();
    void aboutRequested();

    const Board &board() const { return m_board; } // empty until the first game
    int selectedCell() const { return m_selected; } // 0, or the cell whose piece is selected
    std::int64_t steps() const { return m_steps; }  // moves of the current game
    bool gameOver() const { return m_gameOver; }    // true while no game is in progress
    bool soundOn() const { return m_soundOn; }
    // Tests start a game near a rank's bounds without playing the moves before.
    void setSteps(std::int64_t steps) { m_steps = steps; }

    // Undo and hint: help on top of the game. Undo takes the last move back with the
    // reverse move, which counts as a step like any other; a hint shows the next move of
    // a shortest solution, and a game in which the player accepts one stays out of the
    // Black List.
    void undoRequested();   // Ctrl+Z
    void hintRequested();       // H
    bool canUndo() const;    // in a game, with a move of it to take back
    bool canHint() const;    // in a game
    bool assisted() const { return m_assisted; }
    const Solver &solver() const { return m_solver; }

    // Review (R): a game just won, move by move against the best. The board shows the
    // position after a move, marked like a hint, with its verdict; nothing is stored and
    // the clock stays stopped. Any window of the game that opens leaves it.
    void reviewRequested();         // R: starts the review at the last move, or leaves it
    void reviewStep(int delta);  // Left and Right: one move back or on
    void reviewGo(int move);     // Home (0) and End (the last move)
    void leaveReview();          // Escape: the final position back
    bool canReview() const;      // once a game has ended in a win, until the next starts
    bool reviewing() const { return m_review.has_value(); }
    int reviewMove() const { return m_reviewAt; }
    const std::optional<GameReview> &review() const { return m_review; }

    // Watching (W): the game plays the rest of a shortest solution, a real move every
    // WatchIntervalMs. It is help, as a hint is: the game stays out of the Black List.
    void watchRequested();
    void watchTick();            // one move; the watch timer calls it
    void stopWatching();         // any key or click on the board hands it back
    bool watching() const { return m_watchTimer.isActive(); }
    static constexpr int WatchIntervalMs = 500;

    // "Your games" (Y): the window of the player's history. What the player picks there (a
    // past game to review or to replay as watching does, or a position where steps were
    // lost, with the best move marked) is shown on the board once the window has closed,
    // as a review that Escape leaves.
    void yourGamesRequested();
    void pickPastGame(const std::vector<BoardMove> &moves, bool replay);
    void pickPosition(const std::vector<BoardMove> &movesThere, BoardMove best, const QString &text);
    void recordLeft();       // a game in progress, left by quitting, goes into the history
    GameRecorder recorder;   // without an archive (the tests) it records nothing

    // Every move of the current game from the start position, undos included.
    const std::vector<BoardMove> &moves() const { return m_history.moves(); }

    // The clock: a tick a second while a game is played. Tests speed it up.
    bool clockRunning() const { return m_clockTimer.isActive(); }
    void setClockInterval(int ms) { m_clockTimer.setInterval(ms); }
    static constexpr int ClockIntervalMs = 1000;

private:
    void makeMove(int from, int to); // a legal move, played and shown, then the goal test
    bool acceptHelp();               // the hint's question, the first time in a game
    void handBoardBack();            // ends watching and review: a window opens, a new game starts
    void resetAssists();
    void showHint();
    // Runs then now if the distance table is there; otherwise sets waiting, and the table's
    // ready signal runs it.
    void withTable(bool &waiting, void (GameController::*then)());

    GameHistory m_history;
    bool m_won = false;               // the game that ended was won
    std::optional<GameReview> m_review;
    int m_reviewAt = 0;
    bool m_reviewWaiting = false;     // asked for before the table was ready
    QTimer m_watchTimer;
    void startReview();
    struct Picked
    {
        std::vector<BoardMove> moves;
        bool replay = false;
        BoardMove best;      // a position: the move to mark
        QString text;        // a position: what the board says
    };
    std::optional<Picked> m_picked;
    std::vector<BoardMove> m_pastMoves; // the past game or the way to a position under review
    bool m_pickWaiting = false;
    bool m_replaying = false;
    void showPicked();
    void report(const QString &failure);
    void showReviewAt(int move);
    bool m_assisted = false;          // a hint was accepted in this game
    bool m_hintWaiting = false;       // asked for before the table was ready
    Solver m_solver;


    void cue(Cue which);
    void showNormal(int cell);
    void showSelected(int cell);

    Board m_board;
    int m_selected = 0;
    std::int64_t m_steps = 0; // wide so it never overflows
    bool m_gameOver = false;
    bool m_soundOn = false;
    GameClock m_clock;
    QTimer m_clockTimer;

    GameView &m_view;
    Dialogs &m_dialogs;
    CuePlayer &m_sound;
    TopTenList &m_topTen;
};
