// The store's file-system calls on POSIX systems (Linux, where the game is built and
// tested). The only file of the store that talks to the system directly.
#include "platform/storeplatform.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class PosixPlatform final : public StorePlatform
{
public:
    int hardLink(const QString &existing, const QString &newName) override
    {
        return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(newName).constData()) == 0 ? 0 : errno;
    }

    int renameOver(const QString &from, const QString &to) override
    {
        return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? 0 : errno;
    }

    int syncFolder(const QString &folder) override
    {
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        int error = 0;
        // Some file systems cannot sync a folder and say so; their renames are as safe as
        // they get.
        if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
            error = errno;
        ::close(fd);
        return error;
    }

    QString errorText(int error) override { return QString::fromLocal8Bit(std::strerror(error)); }
};

} // namespace

bool StorePlatform::meansNoHardLinks(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EXDEV || error == EMLINK;
}

bool StorePlatform::meansExists(int error)
{
    return error == EEXIST;
}

bool processGone(qint64 pid)
{
    // EPERM means it runs under another user: not gone.
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

EntryKind entryKind(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? EntryKind::Absent : EntryKind::Unknown;
    return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other;
}

StorePlatform &systemPlatform()
{
    static PosixPlatform platform;
    return platform;
}
