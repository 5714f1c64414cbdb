// Writes the board's layout as KEY=VALUE lines for the desktop test, a shell script that
// cannot read ui/boardlayout.h itself: the client area's size, a cell's size, the number
// of cells, the shared cell, and each cell's centre in the client area (index 0 unused, so cell k is word k).
#include "game/board.h"
#include "ui/boardlayout.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    std::FILE *out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "CLIENT_PIXELS=%d\nCELL_PIXELS=%d\nCELL_COUNT=%d\nSHARED_CELL=%d\n", ClientPixels, CellPixels,
                 LastCell, SharedCell);
    std::fprintf(out, "CELL_CENTRE_X=\"0");
    for (int k = FirstCell; k <= LastCell; ++k)
        std::fprintf(out, " %d", cellCentre(k).x);
    std::fprintf(out, "\"\nCELL_CENTRE_Y=\"0");
    for (int k = FirstCell; k <= LastCell; ++k)
        std::fprintf(out, " %d", cellCentre(k).y);
    std::fprintf(out, "\"\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
