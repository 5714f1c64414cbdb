// The settings file's lock, and the mending of what an interrupted write left behind.
//
// The lock is the one QSettings itself takes for the file (the file's name + ".lock"), so
// that copies of the game that write through QSettings wait for us and we for them.
#pragma once

#include <QLockFile>
#include <QString>

class StorePlatform;

class StoreLock
{
public:
    explicit StoreLock(const QString &settingsPath);

    // Throws StoreError, in words for the player, when the lock cannot be had: StoreBusy
    // when another copy of the game still holds it after waitMs.
    void lockForWriting();
    void lockForWriting(int waitMs);
    // A short wait, never a long one. A reader that does not get the lock reads without it:
    // every write replaces the file whole, so what it reads is one whole version.
    bool lockForReading();

private:
    bool lock(int waitMs);
    bool abandoned() const;
    bool placeTaken() const;

    QString m_settingsPath;
    QString m_path;
    QLockFile m_lock;
};

// Only under the lock: puts back the old file where a copy of the game stopped in the
// middle of replacing it, the way earlier versions replaced it (under a second name
// ".keep", the new one written as ".new").
void recoverInterruptedWrite(const QString &settingsPath, StorePlatform &platform);

// Only under the lock: removes the temporary files of saves that were killed before they
// finished. Ours alone, by their names: the replace's beside the file (and beside the file
// a link points to), which only a holder of the lock makes; and the private copies of
// settingsfile, in the temporary and the settings folder, whose maker has ended (or, for
// copies made on another machine or named by older versions, once a minute old).
void removeLeftovers(const QString &settingsPath);
