#include "fixturegames.h"

#include "shortestpath.h"

#include "game/solver.h"

namespace {

// The move that takes the goal furthest away: two steps lost where a move can lead away
// from the goal, one where the best a wrong move does is to keep the distance.
BoardMove detourFrom(const Board &board)
{
    const DistanceTable &table = sharedDistanceTable();
    BoardMove worst;
    int furthest = -1;
    for (const BoardMove &move : legalMoves(board)) {
        Board next = board;
        executeMove(next, move.from, move.to);
        if (table.distance(next) > furthest) {
            furthest = table.distance(next);
            worst = move;
        }
    }
    return worst;
}

} // namespace

std::vector<BoardMove> Fixture::wonWithDetoursAt(const QList<int> &detours)
{
    std::vector<BoardMove> moves;
    Board board = Board::startPosition();
    while (!isGoal(board)) {
        const int next = int(moves.size()) + 1;
        const BoardMove move = detours.contains(next) ? detourFrom(board) : *sharedDistanceTable().nextMove(board);
        executeMove(board, move.from, move.to);
        moves.push_back(move);
    }
    return moves;
}

std::vector<BoardMove> Fixture::wonIn(int steps)
{
    // From the start no move leads away from the goal, so a detour at move 1 costs one step
    // and a detour later usually two.
    QList<int> detours;
    if ((steps - 46) % 2)
        detours << 1;
    std::vector<BoardMove> moves = wonWithDetoursAt(detours);
    for (int k = 2; int(moves.size()) < steps && k <= int(moves.size()); ++k) {
        std::vector<BoardMove> longer = wonWithDetoursAt(detours + QList<int>{k});
        if (int(longer.size()) <= steps) {
            detours << k;
            moves = std::move(longer);
        }
    }
    Q_ASSERT(int(moves.size()) == steps);
    return moves;
}

std::vector<BoardMove> Fixture::leftAfter(int count)
{
    std::vector<BoardMove> moves;
    Board board = Board::startPosition();
    for (int i = 0; i < count; ++i) {
        // The last open move each time: a wander, never the goal within a few moves.
        const BoardMove move = legalMoves(board).back();
        executeMove(board, move.from, move.to);
        moves.push_back(move);
    }
    return moves;
}

GameRecord Fixture::game(std::vector<BoardMove> moves, std::int64_t seconds, int hints, int watches, int undos)
{
    GameRecord game;
    game.ended = QDateTime(QDate(2026, 12, 11), QTime(8, 30), Qt::UTC);
    game.seconds = seconds;
    game.hints = hints;
    game.watches = watches;
    game.undos = undos;
    game.won = isGoal(GameRecords::positionAfter(moves, moves.size()));
    game.moves = std::move(moves);
    return game;
}
