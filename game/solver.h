// The best continuation from any position: the fewest moves from each of the 218,790
// positions (one empty cell, eight balls, eight tiles on the seventeen cells) to the goal.
//
// Every slide and jump can be made backwards, so one breadth-first search outwards from
// the goal gives every position its distance to the goal. The search uses findMove, the
// rule the game plays by, so the hints and the game cannot disagree on what is a move.
#pragma once

#include "game/board.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

// Positions are numbered 0..PositionCount-1: the empty cell picks one of 17 blocks, and
// within a block the eight ball cells among the other sixteen are ranked as a combination.
inline constexpr int PositionCount = LastCell * 12870;

// The number of a board that has one empty cell, eight balls and eight tiles; -1 otherwise.
int positionIndex(const Board &board);
Board positionAt(int index);

class DistanceTable
{
public:
    // The whole search: about a tenth of a second, so never on the user-interface thread.
    static DistanceTable build();

    // Fewest moves from board to the goal; -1 for a board that is no position of the game.
    int distance(const Board &board) const;

    // A move that brings the board one move nearer the goal (the lowest-numbered piece
    // among equals); none at the goal or for a board that is no position of the game.
    std::optional<BoardMove> nextMove(const Board &board) const;

private:
    static constexpr std::uint8_t NotReached = 0xFF;
    std::vector<std::uint8_t> m_distance;
};

// Builds the table on a worker thread the first time someone asks for it, so that neither
// start-up nor a key press waits for the search. ready() comes on this object's thread.
class Solver final : public QObject
{
    Q_OBJECT

public:
    Solver() = default;
    ~Solver() override;

    // Starts the search unless it has started already.
    void request();

    // Null until the search has finished.
    const DistanceTable *table() const { return m_published.load(std::memory_order_acquire); }

signals:
    void ready();

private:
    std::unique_ptr<DistanceTable> m_table;
    std::atomic<const DistanceTable *> m_published{nullptr};
    std::thread m_worker;
};
