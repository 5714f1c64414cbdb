// What the program and the module tobrinel_wayland share: the few Wayland requests Qt's
// Wayland plugin does not make for the game. The module links the Wayland client library,
// so the program loads it only on a Wayland desktop (waylandextras.h).
#pragma once

class QWindow;

// Tells the shell that window is a modal dialog, through GNOME's own protocol
// (gtk_shell1): the only way GNOME's shell learns it of a Wayland window, and without it
// the shell places each question like a new window, away from the window it answers.
// Call it each time the window has just been made visible, before the event loop runs
// again: the shell places a window at its first picture, which Qt sends from the event
// loop. Does nothing where the shell does not offer the protocol. Window thread only.
using ShellModalHint = void (*)(QWindow *window);
inline constexpr char ShellModalHintEntry[] = "tobrinelShellModalHint";

// Before the application exists: whether a monitor of the Wayland desktop named by
// WAYLAND_DISPLAY is scaled by a fraction (125%, 150%, ...), from its mode against its
// logical size, through a connection of its own. 1 if one is, 0 if none is, -1 when the
// desktop cannot tell (no connection, no logical sizes).
using FractionalScaleFunction = int (*)();
inline constexpr char FractionalScaleEntry[] = "tobrinelFractionalScale";
