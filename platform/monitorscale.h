// Whether a desktop's monitors are scaled by a fraction (125%, 150%, ...), from what each
// monitor reports: its mode, in the screen's pixels, and its size in the desktop's logical
// pixels. Their ratio is the scale the desktop's settings show. Header only: the Wayland
// module, which reads the sizes, links none of the game's libraries.
#pragma once

#include <algorithm>
#include <cmath>
#include <span>

struct MonitorSize
{
    int modeWidth = 0;
    int modeHeight = 0;
    int logicalWidth = 0; // after the monitor's turn, which the mode is not
    int logicalHeight = 0;
};

// 1 when a monitor's scale is a fraction, 0 when every one is whole, -1 when a monitor's
// sizes are missing or there is none. Long sides are compared, as a turned monitor swaps
// its logical sides; a logical size rounded to whole pixels is still a whole scale.
inline int anyFractionalScale(std::span<const MonitorSize> monitors)
{
    bool fractional = false;
    for (const MonitorSize &monitor : monitors) {
        const int mode = std::max(monitor.modeWidth, monitor.modeHeight);
        const int logical = std::max(monitor.logicalWidth, monitor.logicalHeight);
        if (mode <= 0 || logical <= 0)
            return -1;
        const double scale = double(mode) / logical;
        fractional = fractional || std::abs(scale - std::round(scale)) > 0.01;
    }
    return monitors.empty() ? -1 : int(fractional);
}
