// Windows ends a session through messages to the program's windows, not signals: Qt's
// platform plugin answers WM_QUERYENDSESSION and quits the application at WM_ENDSESSION
// itself, and a program without a console gets no Ctrl+C. Nothing is left to set up here;
// a save the system cuts short still leaves the stored list whole (its replace is atomic).
#include "ui/sessionend.h"

void quitOnSessionEnd(QCoreApplication &)
{
}
