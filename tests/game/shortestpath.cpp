#include "shortestpath.h"

#include "game/solver.h"

const DistanceTable &sharedDistanceTable()
{
    static const DistanceTable table = DistanceTable::build();
    return table;
}

std::vector<std::pair<int, int>> solveShortest(const Board &from)
{
    const DistanceTable &table = sharedDistanceTable();
    std::vector<std::pair<int, int>> moves;
    Board board = from;
    while (const auto move = table.nextMove(board)) {
        moves.emplace_back(move->from, move->to);
        executeMove(board, move->from, move->to);
    }
    return moves;
}
