// Where the labels and buttons of the windows stand over their pictures, in pixels of the
// design (the board's cells are in ui/boardlayout.h). The windows place their controls here and the art generator leaves
// room for them under the same rectangles (its previews draw them), so both read this one
// table. No Qt here.
#pragma once

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

// The main window (Form1). The two time labels size themselves to their text; the art
// leaves this much room for them.
namespace MainLayout {
inline constexpr ControlPlace Steps{16, 136, 76, 45};         // STEPLBL
inline constexpr ControlPlace TimeCaption{296, 128, 44, 16};  // Label2, "Time :"
inline constexpr ControlPlace Time{344, 128, 57, 16};         // timelbl
// The review's verdict: between the STEP box and the clock, above the board's top cells.
inline constexpr ControlPlace Review{100, 128, 188, 56};
} // namespace MainLayout

// The black list (Form3): ten rows of name and score, the lowest result at row 0.
namespace BlackListLayout {
inline constexpr int Rows = 10;
inline constexpr int RowStep = 16;                       // each row this much below the last
inline constexpr ControlPlace Name{48, 120, 73, 17};     // lblName(0)
inline constexpr ControlPlace Score{208, 120, 65, 17};   // lblScore(0)
inline constexpr ControlPlace Clear{48, 328, 49, 25};    // Command2
inline constexpr ControlPlace Close{224, 328, 49, 25};   // Command1

// lblName(row) or lblScore(row): the row-0 place moved down.
constexpr ControlPlace row(ControlPlace first, int row)
{
    return {first.left, first.top + RowStep * row, first.width, first.height};
}
} // namespace BlackListLayout

// The results window (Form4). The two labels size themselves to their text; the art
// leaves this much room for them.
namespace ResultsLayout {
inline constexpr ControlPlace Time{224, 88, 92, 18};      // waktulbl
inline constexpr ControlPlace Steps{224, 134, 28, 18};    // langkahlbl
inline constexpr ControlPlace Banner{248, 200, 121, 54};  // Image1
inline constexpr ControlPlace Button{312, 296, 65, 57};   // Command1
} // namespace ResultsLayout

// The about window (frmAbout).
namespace AboutLayout {
inline constexpr ControlPlace Ok{8, 208, 84, 23};        // cmdOK
inline constexpr ControlPlace SysInfo{96, 208, 83, 23};  // cmdSysInfo
} // namespace AboutLayout
