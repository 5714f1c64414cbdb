// The store's file-system calls on Windows. The only file of the store that talks to the
// system directly there; error numbers are the system's own (GetLastError()).
#include "platform/storeplatform.h"

#include <QDir>

#include <windows.h>

namespace {

// The wide path the system takes, backslashes and all.
std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

int lastError()
{
    return static_cast<int>(GetLastError());
}

class WindowsPlatform final : public StorePlatform
{
public:
    int hardLink(const QString &existing, const QString &newName) override
    {
        return CreateHardLinkW(nativePath(newName).c_str(), nativePath(existing).c_str(), nullptr) ? 0 : lastError();
    }

    // Through to the disk before it returns: NTFS then has the new name in its journal,
    // which is what a folder's fsync gives on Linux.
    int renameOver(const QString &from, const QString &to) override
    {
        return MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
            ? 0
            : lastError();
    }

    // A folder's handle can be flushed only with write access to it, which a player has
    // on his own settings folder. A file system that cannot flush one (FAT, a network
    // share) says so, and its renames are as safe as they get.
    int syncFolder(const QString &folder) override
    {
        const HANDLE handle = CreateFileW(nativePath(folder).c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return lastError();
        int error = 0;
        if (!FlushFileBuffers(handle)) {
            error = lastError();
            if (error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED || error == ERROR_ACCESS_DENIED)
                error = 0;
        }
        CloseHandle(handle);
        return error;
    }

    QString errorText(int error) override { return qt_error_string(error); }
};

} // namespace

bool StorePlatform::meansNoHardLinks(int error)
{
    // FAT and exFAT answer "invalid function" or "not supported", a share "access denied"
    // or "not supported", another drive "not the same device"; a file has at most 1023 links.
    return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED || error == ERROR_NOT_SAME_DEVICE
           || error == ERROR_TOO_MANY_LINKS || error == ERROR_ACCESS_DENIED;
}

bool StorePlatform::meansExists(int error)
{
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}

bool processGone(qint64 pid)
{
    if (pid <= 0 || pid > qint64(MAXDWORD))
        return false;
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process) {
        // No such process; "access denied" means one of another user's: not gone.
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    // A process that has ended but whose handle someone still holds is gone all the same.
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

EntryKind entryKind(const QString &path)
{
    // Opened for no access at all, which follows links and works on a folder with
    // FILE_FLAG_BACKUP_SEMANTICS, then asked what it is: one look.
    const HANDLE handle = CreateFileW(nativePath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME
                ? EntryKind::Absent
                : EntryKind::Unknown;
    }
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(handle, &info);
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    if (!known)
        return EntryKind::Unknown;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::Other;
    return type == FILE_TYPE_DISK ? EntryKind::File : EntryKind::Other;
}

StorePlatform &systemPlatform()
{
    static WindowsPlatform platform;
    return platform;
}
