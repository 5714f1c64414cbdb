// What the game asks of a Wayland desktop that Qt does not: through the module
// tobrinel_wayland (waylandmodule.h), loaded from beside the program or the installed
// tree's library folder the first time it is needed, and only on Wayland.
#pragma once

class QWidget;

// From a modal dialog's setVisible(true), once the base class has returned: Qt has then
// given the window its role on the desktop but no picture yet, and the shell places the
// window at its first picture. Tells the shell the dialog is modal, so that it keeps it
// over its owner. Does nothing for a dialog that is not modal, but on Wayland, or without
// the module.
void markModalForShell(QWidget *dialog);
