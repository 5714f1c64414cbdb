// The end of a session (SIGTERM at logout or shutdown, SIGHUP when the terminal goes,
// SIGINT from Ctrl+C) closes the game through its event loop, as a close would, instead of
// killing it between two writes. The handler only writes a byte to a socket the event
// loop watches: nothing else is safe inside a signal handler.
#pragma once

class QCoreApplication;

// Once, after app exists. On a signal, app quits: a modal window still open returns, what
// was to run after it runs, then exec() returns.
void quitOnSessionEnd(QCoreApplication &app);

// Whether such a signal has come: the game is on its way out and asks nothing more.
bool sessionEnding();
