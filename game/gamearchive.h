// Where a game that ended is kept: the seam between the controller, which knows how a game
// went, and the player's history of games above it (history/), which keeps it.
#pragma once

#include "game/board.h"

#include <QString>

#include <cstdint>
#include <vector>

struct FinishedGame
{
    bool won = false;             // false: left for a new game or by quitting
    std::int64_t seconds = 0;     // the time the clock counted during the game
    int hints = 0;                // hints shown
    int watches = 0;              // times the game was watched finishing itself
    int undos = 0;                // moves taken back
    std::vector<BoardMove> moves; // every move from the start position, undos included
};

class GameArchive
{
public:
    virtual ~GameArchive() = default;
    // Keeps the game; returns what the player must be told when it could not, else nothing.
    virtual QString keep(const FinishedGame &game) = 0;
};
