// Which of Qt's windowing plugins the game asks for at start. GNOME's shell learns that a
// Wayland window is a dialog of another only through GNOME's own protocol, which the game
// speaks itself (ui/waylandextras.h); through Xwayland it draws its own title bars, but at
// a fractional scale (125%, 150%, 175%) it enlarges an X11 program's pixels, which goes
// soft. So on GNOME the game runs as an X11 client where the desktop's scale is whole and
// on Wayland where it is a fraction, unless the player chose a plugin.
#pragma once

#include <QByteArray>

#include <functional>

struct PlatformEnvironment
{
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray display;        // DISPLAY
    QByteArray currentDesktop; // XDG_CURRENT_DESKTOP, a colon-separated list
    bool platformArgument = false; // -platform on the command line
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
};

// Whether a monitor of the Wayland desktop is scaled by a fraction: 1 yes, 0 no, -1 it
// cannot be told. It costs a connection to the desktop, so it is asked only on GNOME on
// Wayland with an X display beside it, where the answer decides.
using FractionalScaleCheck = std::function<int()>;

// The plugin list to hand Qt, or empty to leave the choice to Qt. Each list falls back to
// the other plugin should the first fail to start. Where the scale cannot be told the
// game keeps X11, where GNOME places its dialogs without help.
QByteArray preferredPlatform(const PlatformEnvironment &env, const FractionalScaleCheck &fractionalScale);

// The same, read from the process's environment and command line.
QByteArray preferredPlatform(int argc, char **argv, const FractionalScaleCheck &fractionalScale);
