// Keeps count of a game as it is played (its time, and the help it had) and hands it to the
// archive when it ends: won, or left with at least one move for a new game or by quitting.
// Without an archive it records nothing; the game's tests run so.
#pragma once

#include "game/gamearchive.h"

class GameRecorder
{
public:
    void setArchive(GameArchive *archive) { m_archive = archive; }

    void started();
    void tick() { ++m_game.seconds; } // a second of the game's clock
    void hintShown() { ++m_game.hints; }
    void watchStarted() { ++m_game.watches; }
    void undone() { ++m_game.undos; }

    // The game that started last has ended with these moves. Each game is kept once: a
    // second call for it, and a call for a game with no move, keep nothing. Returns what
    // the player must be told when it could not be kept, else nothing.
    QString ended(bool won, const std::vector<BoardMove> &moves);

private:
    GameArchive *m_archive = nullptr;
    bool m_open = false;
    FinishedGame m_game;
};
