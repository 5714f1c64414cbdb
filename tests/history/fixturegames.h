// Games for the history's tests, played by the rule from the start position: a best game,
// one with two-step detours at chosen moves, and one left after a few moves.
#pragma once

#include "history/gamerecord.h"

#include <QList>

namespace Fixture {

// A won game with a detour (the move that takes the goal furthest away: it costs two
// steps, or one where no move leads away) at each of the given moves (1-based), and
// otherwise best moves.
std::vector<BoardMove> wonWithDetoursAt(const QList<int> &detours = {});
// A won game of exactly steps moves (46 or more), lengthened by detours at the first moves.
std::vector<BoardMove> wonIn(int steps);
// count legal moves from the start that do not reach the goal.
std::vector<BoardMove> leftAfter(int count);

GameRecord game(std::vector<BoardMove> moves, std::int64_t seconds = 100, int hints = 0, int watches = 0,
                int undos = 0);

} // namespace Fixture
