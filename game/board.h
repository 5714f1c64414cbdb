// The seventeen cells, the rule that moves a piece and the goal test.
//
// Cells 1..9 form the left 3x3 square and 9..17 the right one, row by row; cell 9 is
// the corner they share. Everything here is a pure function of its arguments.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

enum class Piece : std::int16_t { Empty = 0, Ball = 1, Tile = 2 };
enum class MoveKind { None, Slide, Jump };

inline constexpr int FirstCell = 1;
inline constexpr int LastCell = 17;
inline constexpr int SharedCell = 9;

// The board, cells 1..17. The 0-based index lives in here only.
class Board
{
public:
    Piece operator[](int cell) const { return m_cells[index(cell)]; }
    void set(int cell, Piece piece) { m_cells[index(cell)] = piece; }

    // The start of every game: balls on 1..8, tiles on 10..17, cell 9 empty.
    static Board startPosition();
    // The position every game is won in: tiles on 1..8, balls on 10..17, cell 9 empty.
    static Board goalPosition();

    friend bool operator==(const Board &, const Board &) = default;

private:
    static std::size_t index(int cell) { return static_cast<std::size_t>(cell - FirstCell); }
    std::array<Piece, LastCell> m_cells{};
};

// A move of the piece on cell from into the empty cell to.
struct BoardMove
{
    int from = 0;
    int to = 0;
    friend bool operator==(const BoardMove &, const BoardMove &) = default;
};

// How the piece on cell from can reach cell to: a slide to a neighbour, a jump over one
// cell, or None. A move only ever goes into the empty cell, so a full cell to is None.
MoveKind findMove(const Board &board, int from, int to);

// Every move open on a board with one empty cell, by ascending from cell.
std::vector<BoardMove> legalMoves(const Board &board);

// Carries the piece of cell s into cell t and empties s.
void executeMove(Board &board, int s, int t);

// The goal test after every move: the board is the goal position.
bool isGoal(const Board &board);
