// A finished game measured against the best: for each of its moves, how many steps it cost
// beyond a shortest solution, read from the distance table. A move that brings the goal one
// move closer costs nothing; any other costs 1 + (distance after - distance before), so the
// costs of a game that ends at the goal add up to its steps less the best possible.
#pragma once

#include "game/board.h"

#include <QString>

#include <vector>

class DistanceTable;

class GameReview
{
public:
    // moves: every move of the game from the start position, undos included: the game's
    // own history, read where it lies, which must outlive the review.
    GameReview(const std::vector<BoardMove> &moves, const DistanceTable &table);

    int moveCount() const { return static_cast<int>(m_costs.size()); }
    // Move k (1..moveCount()) and the steps it cost.
    BoardMove move(int k) const { return m_moves[static_cast<std::size_t>(k - 1)]; }
    int cost(int k) const { return m_costs[static_cast<std::size_t>(k - 1)]; }
    // The board after k moves; 0 is the start position.
    Board positionAfter(int k) const { return m_positions[static_cast<std::size_t>(k)]; }

    // What the player sees and a screen reader hears at move k ("Move 12 of 58: 6 to 9,
    // best."), and the summary of the whole game.
    QString moveText(int k) const;
    QString summaryText() const;

private:
    const std::vector<BoardMove> &m_moves;
    std::vector<int> m_costs;
    std::vector<Board> m_positions;
    int m_startDistance = 0;
};
