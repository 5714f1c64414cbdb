// Keeps count of a game as it is played (its time, and the help it had) and adds it to the
// history when it ends: won, or left with at least one move for a new game or by quitting.
// Without a history file it counts and records nothing; the game's tests run so.
#pragma once

#include "game/board.h"

#include <QString>

#include <cstdint>
#include <vector>

class HistoryFile;

class GameRecorder
{
public:
    explicit GameRecorder(HistoryFile *file = nullptr)
        : m_file(file)
    {
    }
    void setFile(HistoryFile *file) { m_file = file; }
    HistoryFile *file() const { return m_file; }

    void started();
    void tick() { ++m_seconds; } // a second of the game's clock
    void hintShown() { ++m_hints; }
    void watchStarted() { ++m_watches; }
    void undone() { ++m_undos; }

    // The game that started last has ended with these moves. Each game is added once: a
    // second call for it, and a call for a game with no move, add nothing. Returns what
    // the player must be told when it could not be added, else nothing.
    QString ended(bool won, const std::vector<BoardMove> &moves);

private:
    HistoryFile *m_file;
    bool m_open = false;
    std::int64_t m_seconds = 0;
    int m_hints = 0;
    int m_watches = 0;
    int m_undos = 0;
};
