// Prints the shortest game from the start to the goal for the desktop tests to play:
//   tobrinel_solution        one "from to" move a line;
//   tobrinel_solution keys   the same game as keys, one a line ("Tab", "shift+Tab",
//                            "space"): the focus goes round the cells in number order, and
//                            a new game puts it on the shared cell.
#include "shortestpath.h"

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    const bool keys = argc > 1 && std::strcmp(argv[1], "keys") == 0;
    int cursor = SharedCell;
    for (const auto &[from, to] : solveShortest(Board::startPosition())) {
        if (!keys) {
            std::printf("%d %d\n", from, to);
            continue;
        }
        for (const int cell : {from, to}) {
            // The shorter way round the ring of cells.
            const int ahead = (cell - cursor + LastCell) % LastCell;
            const bool forward = ahead <= LastCell / 2;
            for (int i = 0; i < (forward ? ahead : LastCell - ahead); ++i)
                std::puts(forward ? "Tab" : "shift+Tab");
            std::puts("space");
            cursor = cell;
        }
    }
    return 0;
}
