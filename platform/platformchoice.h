// Which of Qt's windowing plugins the game asks for at start. GNOME's shell places a
// Wayland window that has a parent like any new window and leaves its title bar to the
// game; through Xwayland it centres each dialog over the window it answers and draws its
// own title bars. So on GNOME, with an X display at hand, the game runs as an X11 client,
// unless the player chose a plugin.
#pragma once

#include <QByteArray>

struct PlatformEnvironment
{
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray display;        // DISPLAY
    QByteArray currentDesktop; // XDG_CURRENT_DESKTOP, a colon-separated list
    bool platformArgument = false; // -platform on the command line
};

// The plugin list to hand Qt, or empty to leave the choice to Qt. The list falls back to
// Wayland should the X11 plugin fail to start.
QByteArray preferredPlatform(const PlatformEnvironment &env);

// The same, read from the process's environment and command line.
QByteArray preferredPlatform(int argc, char **argv);
