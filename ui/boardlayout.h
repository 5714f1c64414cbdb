// Where the seventeen board cells stand in the main window, in twips of the design (15 to
// the pixel at 96 dpi), and the size of the board's client area and of a cell. The main
// window places its cells here, the art generator paints the board's grid under them, and
// the bench and the desktop test aim their clicks by it, so all read this one table. No Qt here.
#pragma once

#include "game/board.h"

#include <array>
#include <cstddef>

inline constexpr int TwipsPerPixel = 15;

// The nearest pixel; design positions are never negative.
constexpr int twipsToPixels(int twips)
{
    return (2 * twips + TwipsPerPixel) / (2 * TwipsPerPixel);
}

struct CellPlace
{
    int left;
    int top;
};

// The top-left corner of cell 1..17 at index cell - 1. The steps between neighbours vary from
// 570 to 600 twips; these are the places, not a formula.
inline constexpr std::array<CellPlace, LastCell> CellTwips{{
    {400, 3960}, {970, 3370}, {1560, 2800}, {970, 4560}, {1560, 3960}, {2130, 3370},
    {1560, 5130}, {2130, 4560}, {2730, 3960}, {3320, 3370}, {3900, 2800}, {3320, 4560},
    {3900, 3960}, {4470, 3370}, {3900, 5120}, {4470, 4560}, {5040, 3960},
}};

// The main window's client area is square, and so is every cell.
inline constexpr int ClientTwips = 6120;
inline constexpr int CellSizeTwips = 675;
inline constexpr int ClientPixels = twipsToPixels(ClientTwips);
inline constexpr int CellPixels = twipsToPixels(CellSizeTwips);

struct PixelPoint
{
    int x;
    int y;
};

// The top-left pixel of cell 1..17 in the client area.
constexpr PixelPoint cellTopLeft(int cell)
{
    const CellPlace &place = CellTwips[static_cast<std::size_t>(cell - 1)];
    return {twipsToPixels(place.left), twipsToPixels(place.top)};
}

// The pixel a click aims at: the middle of the cell, rounded down.
constexpr PixelPoint cellCentre(int cell)
{
    const PixelPoint corner = cellTopLeft(cell);
    return {corner.x + CellPixels / 2, corner.y + CellPixels / 2};
}
