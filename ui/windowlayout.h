// Where the labels and buttons of the windows stand over their pictures, in pixels of the
// design (the board's cells are in ui/boardlayout.h). The windows place their controls here and the art generator leaves
// room for them under the same rectangles (its previews draw them), so both read this one
// table. No Qt here.
#pragma once

#include "topten/toptensize.h"

// A window's or a picture's size in pixels of the design.
struct PixelSize
{
    int width;
    int height;

    template <typename Size>
    constexpr Size as() const
    {
        return Size(width, height);
    }
};

struct ControlPlace
{
    int left;
    int top;
    int width;
    int height;

    // The same place as the caller's rectangle type (QRect), which this header does not know.
    template <typename Rect>
    constexpr Rect as() const
    {
        return Rect(left, top, width, height);
    }
};

// The size of each window the game opens over the main one, and of its picture. A picture
// a pixel or two smaller than its window has its edges carried over the rest
// (ui/background.h).
struct WindowSize
{
    PixelSize window;
    PixelSize picture;
};
namespace WindowSizes {
inline constexpr WindowSize Results{{387, 364}, {385, 364}};
inline constexpr WindowSize BlackList{{330, 359}, {329, 357}};
inline constexpr WindowSize About{{336, 244}, {335, 243}};
inline constexpr WindowSize Instructions{{499, 335}, {499, 335}};
} // namespace WindowSizes

// The main window (MainWindow). The two time labels size themselves to their text; the art
// leaves this much room for them.
namespace MainLayout {
// The board's picture; the window's client area is ClientPixels square (ui/boardlayout.h),
// and the picture's last columns and rows lie beyond it.
inline constexpr PixelSize Picture{411, 411};
inline constexpr ControlPlace Steps{16, 136, 76, 45};         // stepLabel
inline constexpr ControlPlace TimeCaption{296, 128, 44, 16};  // timeCaption, "Time :"
inline constexpr ControlPlace Time{344, 128, 57, 16};         // timeLabel
// The review's verdict: between the STEP box and the clock, above the board's top cells.
inline constexpr ControlPlace Review{100, 128, 188, 56};
} // namespace MainLayout

// The black list (BlackListWindow): ten rows of name and score, the lowest result at row 0.
namespace BlackListLayout {
inline constexpr int Rows = TopTenSize;
inline constexpr int RowStep = 16;                       // each row this much below the last
inline constexpr ControlPlace Name{48, 120, 73, 17};     // nameLabels(0)
inline constexpr ControlPlace Score{208, 120, 65, 17};   // scoreLabels(0)
inline constexpr ControlPlace Clear{48, 328, 49, 25};    // clearButton
inline constexpr ControlPlace Close{224, 328, 49, 25};   // closeButton

// nameLabels(row) or scoreLabels(row): the row-0 place moved down.
constexpr ControlPlace row(ControlPlace first, int row)
{
    return {first.left, first.top + RowStep * row, first.width, first.height};
}
} // namespace BlackListLayout

// The results window (ResultsWindow). The two labels size themselves to their text; the art
// leaves this much room for them.
namespace ResultsLayout {
inline constexpr ControlPlace Time{224, 88, 92, 18};      // timeLabel
inline constexpr ControlPlace Steps{224, 134, 28, 18};    // stepsLabel
inline constexpr ControlPlace Banner{248, 200, 121, 54};  // rankBanner
inline constexpr ControlPlace Button{312, 296, 65, 57};   // greatButton
} // namespace ResultsLayout

// The about window (AboutWindow).
namespace AboutLayout {
inline constexpr ControlPlace Ok{8, 208, 84, 23};        // okButton
inline constexpr ControlPlace SysInfo{96, 208, 83, 23};  // sysInfoButton
} // namespace AboutLayout
