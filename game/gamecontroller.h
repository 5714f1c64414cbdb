// The logic of the main window: the game state, the play command, the clicks on the
// seventeen cells, the clock tick, the victory and the menu commands. Form1 forwards
// each event to the handler of the same name here.
#pragma once

#include "game/board.h"
#include "game/gameview.h"
#include "game/gameclock.h"
#include "game/solver.h"
#include "media/cues.h"

#include <cstdint>
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

private:
    void makeMove(int from, int to); // a legal move, played and shown, then the goal test
    void resetAssists();
    void showHint();

    std::vector<BoardMove> m_history; // the moves of this game, undone from the back
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
