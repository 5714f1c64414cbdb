// The few file-system calls of the settings store that Qt has no portable (or no sound)
// form for: a second name for a file, a rename over an existing file, flushing a folder's
// entries to the disk, and one look at what stands at a path. The class's calls return 0
// or the system's error number; tests give the store one that refuses some calls. The
// POSIX implementation of all of it is storeplatform_posix.cpp.
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

// What stands at a path (links followed), from one look. QFileInfo is not asked: Qt 6.4
// calls a file missing when its look lands on a copy that a replace has just unlinked,
// though the new one is in place, and exists() with isFile() look twice, so a lock file
// that comes and goes between the two looks like a folder.
enum class EntryKind {
    Absent, // nothing, or a link to nothing
    File,
    Other, // a folder, a pipe, a device
    Unknown, // the look failed (no permission on the folder): opening it will say why
};
EntryKind entryKind(const QString &path);
