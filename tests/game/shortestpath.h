// A shortest sequence of (from, to) moves from a position to the goal, found by following
// the core's distance table. Used by the tests to play a best game.
#pragma once

#include "game/board.h"

#include <utility>
#include <vector>

class DistanceTable;

// The table, built once per test program on first use.
const DistanceTable &sharedDistanceTable();

std::vector<std::pair<int, int>> solveShortest(const Board &from);
