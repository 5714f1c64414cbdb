// The settings file's lock and the recovery of an interrupted write.
#include "topten/storelock.h"

#include "topten/storemessages.h"
#include "topten/storeplatform.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

using namespace StoreMessages;

namespace {

constexpr int LockWaitMs = 10000;

// A lock file that names no owner (left empty, or not written by a QLockFile) for longer
// than this is abandoned: an owner writes its name the moment it has made the file.
constexpr int AbandonedLockMs = 500;

} // namespace

StoreLock::StoreLock(const QString &settingsPath)
    : m_settingsPath(settingsPath)
    , m_path(settingsPath + QStringLiteral(".lock"))
    , m_lock(m_path)
{
}

void StoreLock::lockForWriting()
{
    if (lock())
        return;
    if (placeTaken())
        fail(cannotWrite(m_settingsPath, QStringLiteral("the place of its lock file, %1, is taken by something "
                                                        "other than a file").arg(m_path)));
    if (m_lock.error() == QLockFile::LockFailedError)
        fail(cannotWrite(m_settingsPath, QStringLiteral("another copy of the game has kept it locked too long")));
    fail(cannotWrite(m_settingsPath, QStringLiteral("no lock file could be made beside it (no room, or no permission)")));
}

bool StoreLock::lockForReading()
{
    return lock();
}

// QLockFile's own wait doubles its pauses from 100 ms; a write holds the lock for
// milliseconds, so short pauses keep two copies saving at once quick.
//
// A lock file left empty is what a copy killed between making it and writing its process
// number leaves; Qt would take it for a live lock until it is 30 s old. (One that names a
// process gone from this host, Qt takes over itself.)
bool StoreLock::lock()
{
    if (placeTaken())
        return false;
    QDeadlineTimer deadline(LockWaitMs);
    while (!m_lock.tryLock(0)) {
        if (m_lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        if (abandoned()) {
            m_lock.removeStaleLockFile();
            continue;
        }
        QThread::msleep(5);
    }
    return true;
}

bool StoreLock::abandoned() const
{
    const QFileInfo info(m_path);
    return info.isFile() && info.size() == 0
           && info.lastModified().msecsTo(QDateTime::currentDateTime()) >= AbandonedLockMs;
}

// A folder (or anything but a file) where the lock file belongs can never be locked.
bool StoreLock::placeTaken() const
{
    const QFileInfo place(m_path);
    return place.exists() && !place.isFile();
}

void recoverInterruptedWrite(const QString &settingsPath, StorePlatform &platform)
{
    QFile::remove(settingsPath + QStringLiteral(".new"));
    const QString guard = settingsPath + QStringLiteral(".keep");
    if (!QFileInfo::exists(guard))
        return;
    const QFileInfo current(settingsPath);
    if (!current.exists() || current.size() == 0)
        platform.renameOver(guard, settingsPath);
    else
        QFile::remove(guard);
}
