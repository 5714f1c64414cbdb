// Prints the shortest game from the start to the goal, one "from to" move a line, for the
// desktop test to play.
#include "shortestpath.h"

#include <cstdio>

int main()
{
    for (const auto &[from, to] : solveShortest(Board::startPosition()))
        std::printf("%d %d\n", from, to);
    return 0;
}
