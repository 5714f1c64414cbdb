#include "game/board.h"

#include <algorithm>

namespace {

constexpr std::int16_t True = -1;
constexpr std::int16_t False = 0;

// One row per direction 1..4: the slide offset, the cells whose slide that way is
// blocked, the jump offset (two cells the other way) and the cells added for the jump
// (jumps from or over the shared cell along the two five-cell lines).
struct Direction
{
    int slideOffset;
    std::array<int, 5> edgeList;
    int jumpOffset;
    std::array<int, 2> crossingList;
};

constexpr std::array<Direction, 4> Directions{{
    {-1, {1, 4, 7, 12, 15}, +2, {8, 9}},
    {+1, {3, 6, 11, 14, 17}, -2, {10, 9}},
    {-3, {1, 2, 3, 10, 11}, +6, {6, 9}},
    {+3, {7, 8, 15, 16, 17}, -6, {12, 9}},
}};

template <std::size_t N>
bool contains(const std::array<int, N> &list, int cell)
{
    return std::find(list.begin(), list.end(), cell) != list.end();
}

} // namespace

Board Board::startPosition()
{
    Board board;
    for (int k = FirstCell; k <= LastCell; ++k)
        board.set(k, k < SharedCell ? Piece::Ball : k > SharedCell ? Piece::Tile : Piece::Empty);
    return board;
}

Board Board::goalPosition()
{
    Board board;
    for (int k = FirstCell; k <= LastCell; ++k)
        board.set(k, k < SharedCell ? Piece::Tile : k > SharedCell ? Piece::Ball : Piece::Empty);
    return board;
}

MoveKind findMove(const Board &board, int from, int to)
{
    if (board[to] != Piece::Empty)
        return MoveKind::None;
    const int s = from;
    const int t = to;

    // edgeFlags(1..4): one flag per direction, 0 false and -1 true; index 0 is unused.
    // The flags set for the slide phase are kept for the jump phase: a piece on an
    // edge cannot slide off it but can jump back across its square.
    std::array<std::int16_t, 5> edgeFlags{};
    std::array<int, 5> offsets{};

    for (int d = 1; d <= 4; ++d)
        if (contains(Directions[d - 1].edgeList, s))
            edgeFlags[d] = True;

    for (int d = 1; d <= 4; ++d)
        offsets[d] = Directions[d - 1].slideOffset;
    for (int d = 1; d <= 4; ++d)
        if (edgeFlags[d] == False && s + offsets[d] == t)
            return MoveKind::Slide;

    for (int d = 1; d <= 4; ++d)
        offsets[d] = Directions[d - 1].jumpOffset;
    for (int d = 1; d <= 4; ++d)
        if (contains(Directions[d - 1].crossingList, s))
            edgeFlags[d] = True;
    for (int d = 1; d <= 4; ++d)
        if (edgeFlags[d] != False && s + offsets[d] == t)
            return MoveKind::Jump;

    return MoveKind::None;
}

std::vector<BoardMove> legalMoves(const Board &board)
{
    int empty = FirstCell;
    while (empty < LastCell && board[empty] != Piece::Empty)
        ++empty;
    std::vector<BoardMove> moves;
    for (int from = FirstCell; from <= LastCell; ++from)
        if (from != empty && findMove(board, from, empty) != MoveKind::None)
            moves.push_back({from, empty});
    return moves;
}

void executeMove(Board &board, int s, int t)
{
    board.set(t, board[s]);
    board.set(s, Piece::Empty);
}

bool isGoal(const Board &board)
{
    return board == Board::goalPosition();
}
