// A breadth-first search over the move rule: the shortest sequence of (from, to) moves
// from a position to the goal. Used by the tests to prove the best solution and to play it.
#pragma once

#include "game/board.h"

#include <utility>
#include <vector>

std::vector<std::pair<int, int>> solveShortest(const Board &from);
