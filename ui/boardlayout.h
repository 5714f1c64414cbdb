// Where the seventeen board cells stand in the main window, in twips of the design (15 to
// the pixel at 96 dpi). The main window places its cells here and the art generator paints
// the board's grid under them, so both read this one table. No Qt here.
#pragma once

#include <array>

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

// Left/Top of KotakPic(1..17) at index cell - 1. The steps between neighbours vary from
// 570 to 600 twips; these are the places, not a formula.
inline constexpr std::array<CellPlace, 17> CellTwips{{
    {400, 3960}, {970, 3370}, {1560, 2800}, {970, 4560}, {1560, 3960}, {2130, 3370},
    {1560, 5130}, {2130, 4560}, {2730, 3960}, {3320, 3370}, {3900, 2800}, {3320, 4560},
    {3900, 3960}, {4470, 3370}, {3900, 5120}, {4470, 4560}, {5040, 3960},
}};
