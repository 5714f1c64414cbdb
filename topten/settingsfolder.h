// The folder the settings file is kept under, chosen once before the first QSettings.
//
// XDG_CONFIG_HOME counts only as an absolute path: a relative one is ignored, as the
// base-directory convention says (Qt would keep the list under whatever folder the game
// was started from). A name that is not valid UTF-8 is the folder of those very bytes:
// Qt would turn it into a name of other bytes, and miss the list kept there.
#pragma once

#include <QByteArray>
#include <QString>

// The folder for configHome (XDG_CONFIG_HOME's bytes) and home: configHome when absolute,
// otherwise home + "/.config". A folder whose name Qt cannot hold is opened and named
// through the process's own file descriptor (/proc/self/fd/N), made first (mode 0700)
// when it is not there. Empty when no such folder can be had.
QString settingsFolder(const QByteArray &configHome, const QString &home);

// Points QSettings' per-user files at settingsFolder() of this process's environment.
void useSettingsFolder();
