// The logic of the main window: the game state, the play command, the clicks on the
// seventeen cells, the clock tick, the victory and the menu commands. Form1 forwards
// each event to the handler of the same name here.
#pragma once

#include "game/board.h"
#include "game/gameview.h"
#include "game/gameclock.h"
#include "game/gamereview.h"
#include "game/solver.h"
#include "game/gamerecorder.h"
#include "media/cues.h"

#include <QTimer>

#include <cstdint>
#include <optional>
#include <vector>

class Dialogs;
class modHiScores;

// 1 (GENIUS) up to 46 steps, 2 (SMART) from 47 to 53, 3 (STUPID) from 54.
int rankForSteps(std::int64_t steps);

class GameController
{
public:
    GameController(GameView &view, Dialogs &dialogs, CuePlayer &sound, modHiScores &hiScores);

    void Form_Load();
    void Form_Unload();
    void new_Click();
    void NewGame();
    void KotakPic_Click(int Index);
    void Timer1_Timer();
    void CheckWin();
    void GameWon();
    void top_Click();
    void xit_Click();
    void sound1_Click();
    void help2_Click();
    void about1_Click();

    Board Cells;             // empty until the first game
    int Selected = 0;        // 0, or the cell whose piece is selected
    std::int64_t Steps = 0;  // moves of the current game; wide so it never overflows
    bool GameOver = false;   // true while no game is in progress
    bool SoundOn = false;
    GameClock clock;

    // Undo and hint: help on top of the game. Undo takes the last move back with the
    // reverse move, which counts as a step like any other; a hint shows the next move of
    // a shortest solution, and a game in which the player accepts one stays out of the
    // Black List.
    void undoMove_Click();   // Ctrl+Z
    void hint_Click();       // H
    bool canUndo() const;    // in a game, with a move of it to take back
    bool canHint() const;    // in a game
    bool assisted() const { return m_assisted; }
    const Solver &solver() const { return m_solver; }

    // Review (R): a game just won, move by move against the best. The board shows the
    // position after a move, marked like a hint, with its verdict; nothing is stored and
    // the clock stays stopped. Any window of the game that opens leaves it.
    void review_Click();         // R: starts the review at the last move, or leaves it
    void reviewStep(int delta);  // Left and Right: one move back or on
    void reviewGo(int move);     // Home (0) and End (the last move)
    void leaveReview();          // Escape: the final position back
    bool canReview() const;      // once a game has ended in a win, until the next starts
    bool reviewing() const { return m_review.has_value(); }
    int reviewMove() const { return m_reviewAt; }
    const std::optional<GameReview> &review() const { return m_review; }

    // Watching (W): the game plays the rest of a shortest solution, a real move every
    // WatchIntervalMs. It is help, as a hint is: the game stays out of the Black List.
    void watch_Click();
    void watchTick();            // one move; the watch timer calls it
    void stopWatching();         // any key or click on the board hands it back
    bool watching() const { return m_watchTimer.isActive(); }
    static constexpr int WatchIntervalMs = 500;

    // "Your games" (Y): the window of the player's history. What the player picks there (a
    // past game to review or to replay as watching does, or a position where steps were
    // lost, with the best move marked) is shown on the board once the window has closed,
    // as a review that Escape leaves.
    void yourGames_Click();
    void pickPastGame(const std::vector<BoardMove> &moves, bool replay);
    void pickPosition(const std::vector<BoardMove> &movesThere, BoardMove best, const QString &text);
    void recordLeft();       // a game in progress, left by quitting, goes into the history
    GameRecorder recorder;   // without an archive (the tests) it records nothing

    // Every move of the current game from the start position, undos included.
    const std::vector<BoardMove> &moves() const { return m_moves; }

private:
    void makeMove(int from, int to); // a legal move, played and shown, then the goal test
    bool acceptHelp();               // the hint's question, the first time in a game
    void handBoardBack();            // ends watching and review: a window opens, a new game starts
    void resetAssists();
    void showHint();
    // Runs then now if the distance table is there; otherwise sets waiting, and the table's
    // ready signal runs it.
    void withTable(bool &waiting, void (GameController::*then)());

    std::vector<BoardMove> m_history; // the moves of this game, undone from the back
    std::vector<BoardMove> m_moves;   // every move played, an undo among them
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

    // Set from a winning move until its goal test: the cue between them runs waiting
    // events, and none of them may change the board or start a game meanwhile.
    bool m_goalPending = false;

    GameView &m_view;
    Dialogs &m_dialogs;
    CuePlayer &m_sound;
    modHiScores &m_hiScores;
};
