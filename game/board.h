// The seventeen cells, the rule that moves a piece and the goal test.
//
// Cells 1..9 form the left 3x3 square and 9..17 the right one, row by row; cell 9 is
// the corner they share. Everything here is a pure function of its arguments.
#pragma once

#include <array>
#include <cstdint>

enum class Piece : std::int16_t { Empty = 0, Ball = 1, Tile = 2 };
enum class MoveKind { None, Slide, Jump };

inline constexpr int FirstCell = 1;
inline constexpr int LastCell = 17;
inline constexpr int SharedCell = 9;

// Cells(1..17): the board. The 0-based index lives in here only.
class Board
{
public:
    Piece operator[](int cell) const { return m_cells[index(cell)]; }
    void set(int cell, Piece piece) { m_cells[index(cell)] = piece; }

    // The start of every game: balls on 1..8, tiles on 10..17, cell 9 empty.
    static Board startPosition();

    friend bool operator==(const Board &, const Board &) = default;

private:
    static std::size_t index(int cell) { return static_cast<std::size_t>(cell - FirstCell); }
    std::array<Piece, 17> m_cells{};
};

// EdgeFlags(1..4): one flag per direction, 0 false and -1 true. Index 0 is unused.
using EdgeFlags = std::array<std::int16_t, 5>;

// The move search for the selected cell s and the empty cell t. It rewrites edgeFlags
// (the caller's scratch flags, meaningless between attempts) and nothing else.
MoveKind findMove(int s, int t, EdgeFlags &edgeFlags);

// Carries the piece of cell s into cell t and empties s.
void executeMove(Board &board, int s, int t);

// The goal test of CheckWin: tiles on 1..8, balls on 10..17, cell 9 empty.
bool isGoal(const Board &board);
