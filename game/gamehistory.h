// The one record of a game: every move from the start position in the order it was
// played, a move that took another back among them. Undo, the review, watching and the
// hint all read it.
#pragma once

#include "game/board.h"

#include <optional>
#include <vector>

class GameHistory
{
public:
    // Every move of the game from the start position, undos included.
    const std::vector<BoardMove> &moves() const { return m_moves; }
    bool empty() const { return m_moves.empty(); }

    // A move the player (or watching) made.
    void played(const BoardMove &move);

    // The move an undo would take back: the last one that has not been taken back already.
    std::optional<BoardMove> lastToUndo() const;
    // The reverse of lastToUndo(), played to take it back.
    void undone(const BoardMove &reverse);

    void clear();

private:
    std::vector<BoardMove> m_moves;
    // Which of m_moves are still standing, the last on top: undo takes the top one back.
    std::vector<int> m_standing;
};
