// The few file-system calls of the settings store that Qt has no portable form for: a
// second name for a file, a rename over an existing file, and flushing a folder's entries
// to the disk. Each returns 0 or the system's error number. The POSIX implementation is
// storeplatform_posix.cpp; tests give the store one that refuses some calls.
#pragma once

#include <QString>

class StorePlatform
{
public:
    virtual ~StorePlatform() = default;

    // A second name for the file: costs no room, and fails where the file system has no
    // hard links (FAT, exFAT, some network shares).
    virtual int hardLink(const QString &existing, const QString &newName) = 0;
    // Replaces to (if there) by from in one step.
    virtual int renameOver(const QString &from, const QString &to) = 0;
    // Makes the names in the folder (a rename just done) survive a power cut.
    virtual int syncFolder(const QString &folder) = 0;
    // The error number in words, for the player.
    virtual QString errorText(int error) = 0;

    // Error numbers the store tells apart.
    static bool meansNoHardLinks(int error);
    static bool meansExists(int error);
};

// The implementation for the system the game runs on.
StorePlatform &systemPlatform();

// Whether no process pid runs on this machine (a copy of the game that was killed).
bool processGone(qint64 pid);
