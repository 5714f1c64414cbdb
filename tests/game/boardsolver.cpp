#include "boardsolver.h"

#include <cstdint>
#include <deque>
#include <unordered_map>

namespace {

// Two bits per cell: 34 bits of position.
std::uint64_t encode(const Board &board)
{
    std::uint64_t code = 0;
    for (int k = FirstCell; k <= LastCell; ++k)
        code = code << 2 | static_cast<std::uint64_t>(board[k]);
    return code;
}

Board decode(std::uint64_t code)
{
    Board board;
    for (int k = LastCell; k >= FirstCell; --k) {
        board.set(k, static_cast<Piece>(code & 3));
        code >>= 2;
    }
    return board;
}

} // namespace

std::vector<std::pair<int, int>> solveShortest(const Board &from)
{
    struct Step
    {
        std::uint64_t previous;
        int s, t;
    };
    std::unordered_map<std::uint64_t, Step> seen;
    std::deque<std::uint64_t> queue;
    const std::uint64_t start = encode(from);
    seen.emplace(start, Step{start, 0, 0});
    queue.push_back(start);

    while (!queue.empty()) {
        const std::uint64_t code = queue.front();
        queue.pop_front();
        const Board board = decode(code);
        if (isGoal(board)) {
            std::vector<std::pair<int, int>> moves;
            for (std::uint64_t at = code; at != start; at = seen.at(at).previous)
                moves.insert(moves.begin(), {seen.at(at).s, seen.at(at).t});
            return moves;
        }
        int empty = 0;
        for (int k = FirstCell; k <= LastCell; ++k)
            if (board[k] == Piece::Empty)
                empty = k;
        for (int s = FirstCell; s <= LastCell; ++s) {
            EdgeFlags flags{};
            if (s == empty || findMove(s, empty, flags) == MoveKind::None)
                continue;
            Board next = board;
            executeMove(next, s, empty);
            const std::uint64_t nextCode = encode(next);
            if (seen.emplace(nextCode, Step{code, s, empty}).second)
                queue.push_back(nextCode);
        }
    }
    return {};
}
