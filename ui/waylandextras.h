// What the game asks of a Wayland desktop that Qt does not: through the module
// tobrinel_wayland (waylandmodule.h), loaded from beside the program or the installed
// tree's library folder the first time one of these is needed, and only on Wayland.
#pragma once

class QWidget;

// Before the application exists, on a Wayland desktop (WAYLAND_DISPLAY set): whether one
// of its monitors is scaled by a fraction (125%, 150%, ...). 1 yes, 0 no, -1 when the
// desktop cannot tell or the module is missing.
int waylandFractionalScale();

// From a modal dialog's setVisible(true), once the base class has returned: Qt has then
// given the window its role on the desktop but no picture yet, and the shell places the
// window at its first picture. Tells the shell the dialog is modal, so that it keeps it
// over its owner. Does nothing for a dialog that is not modal, but on Wayland, or without
// the module.
void markModalForShell(QWidget *dialog);
