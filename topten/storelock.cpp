// The settings file's lock and the recovery of an interrupted write.
#include "topten/storelock.h"

#include "topten/settingsfile.h"
#include "topten/storemessages.h"
#include "platform/storeplatform.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

using namespace StoreMessages;

namespace {

constexpr int LockWaitMs = 10000;

// A save holds the lock for milliseconds, so a read gets it within this, and with it mends
// what an interrupted write left, unless the holder has stopped (a debugger, a frozen
// machine); only then does it read without the lock, which a replace cannot tear.
constexpr int ReadLockWaitMs = 250;

// A lock file that names no owner (left empty, or not written by a QLockFile) for longer
// than this is abandoned: an owner writes its name the moment it has made the file.
constexpr int AbandonedLockMs = 500;

// A private copy lives for milliseconds, made by readers that need no lock.
constexpr int LeftoverCopySecs = 60;

// The random part Qt's temporary files put where the pattern has XXXXXX.
const QString RandomPart = QStringLiteral("([A-Za-z0-9]{6})");

// Whether the part of a name that stands for XXXXXX looks drawn at random rather than
// typed: "Tobrinel.conf.backup" or ".Backup" may be the player's own copy. A random part
// that looks like a word is left; it costs a few hundred bytes.
bool looksRandom(const QString &part)
{
    bool digit = false;
    bool letter = false;
    bool innerCapital = false;
    for (qsizetype i = 0; i < part.size(); ++i) {
        digit = digit || part[i].isDigit();
        letter = letter || part[i].isLetter();
        innerCapital = innerCapital || (i > 0 && part[i].isUpper());
    }
    return innerCapital || (digit && letter);
}

// The name filter for every name that starts with prefix, read literally.
QString startingWith(const QString &prefix)
{
    QString filter;
    for (const QChar c : prefix)
        filter += c == u'*' || c == u'?' || c == u'[' ? QStringLiteral("[") + c + QLatin1Char(']') : QString(c);
    return filter + QLatin1Char('*');
}

// Removes the files in folder that start with prefix and whose whole name matches name,
// where the first capture of name looks random. The prefix spares a crowded folder a look
// at every file.
void removeMatching(const QString &folder, const QString &prefix, const QRegularExpression &name)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList({startingWith(prefix)}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QRegularExpressionMatch match = name.match(entry.fileName());
        if (match.hasMatch() && looksRandom(match.captured(1)) && !entry.isSymLink())
            QFile::remove(entry.filePath());
    }
}

// A private copy, with the lock and the replace QSettings makes beside it, goes as soon as
// the copy of the game that made it is gone. One made on another machine that shares the
// folder, or by an older version whose names do not say who made them, goes once it is a
// minute old: a live reader's copy lives for milliseconds.
void removePrivateCopies(const QString &folder)
{
    static const QRegularExpression name(QStringLiteral(
        "^\\.tobrinel-(?:([0-9a-f]{8})-([0-9]+)-)?[A-Za-z0-9]{6}\\.conf(?:\\.lock|\\.[A-Za-z0-9]{6})?$"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-LeftoverCopySecs);
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral(".tobrinel-*")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QRegularExpressionMatch match = name.match(entry.fileName());
        if (!match.hasMatch() || entry.isSymLink())
            continue;
        const bool madeHere = match.captured(1) == SettingsFiles::machineTag();
        if (madeHere ? processGone(match.captured(2).toLongLong()) : entry.lastModified() < before)
            QFile::remove(entry.filePath());
    }
}

} // namespace

StoreLock::StoreLock(const QString &settingsPath)
    : m_settingsPath(settingsPath)
    , m_path(settingsPath + QStringLiteral(".lock"))
    , m_lock(m_path)
{
}

void StoreLock::lockForWriting()
{
    lockForWriting(LockWaitMs);
}

void StoreLock::lockForWriting(int waitMs)
{
    if (lock(waitMs))
        return;
    if (placeTaken())
        fail(cannotWrite(m_settingsPath, QStringLiteral("the place of its lock file, %1, is taken by something "
                                                        "other than a file").arg(m_path)));
    if (m_lock.error() == QLockFile::LockFailedError)
        throw StoreBusy(cannotWrite(m_settingsPath, QStringLiteral("another copy of the game has kept it locked too long"))
                            .toStdString());
    fail(cannotWrite(m_settingsPath, QStringLiteral("no lock file could be made beside it (no room, or no permission)")));
}

// Waits a moment at most: the start reads on the window's thread, and a copy of the game
// that holds the lock for as long as it likes must not freeze this one.
bool StoreLock::lockForReading()
{
    return lock(ReadLockWaitMs);
}

// QLockFile's own wait doubles its pauses from 100 ms; a write holds the lock for
// milliseconds, so short pauses keep two copies saving at once quick.
//
// A lock file left empty is what a copy killed between making it and writing its process
// number leaves; Qt would take it, or one holding anything else that names no owner, for
// a live lock until it is 30 s old. One that names a process gone from this host, Qt
// takes over itself at once (it asks the system whether the process is there).
//
// An abandoned lock is tried again at once, but only when it could be removed: one that
// cannot (no permission in the folder) is waited out like a live one, never spun on.
bool StoreLock::lock(int waitMs)
{
    if (placeTaken())
        return false;
    QDeadlineTimer deadline(waitMs);
    while (!m_lock.tryLock(0)) {
        if (m_lock.error() != QLockFile::LockFailedError)
            return false;
        if (abandoned() && m_lock.removeStaleLockFile())
            continue;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

bool StoreLock::abandoned() const
{
    const QFileInfo info(m_path);
    qint64 pid = 0;
    QString host;
    QString application;
    return info.isFile() && !m_lock.getLockInfo(&pid, &host, &application)
           && info.lastModified().msecsTo(QDateTime::currentDateTime()) >= AbandonedLockMs;
}

// A folder (or anything but a file) where the lock file belongs can never be locked.
bool StoreLock::placeTaken() const
{
    return entryKind(m_path) == EntryKind::Other;
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

void removeLeftovers(const QString &settingsPath)
{
    removePrivateCopies(QDir::tempPath());
    removePrivateCopies(QFileInfo(settingsPath).path());

    QStringList files{settingsPath};
    const QString target = QFileInfo(settingsPath).canonicalFilePath();
    if (!target.isEmpty() && target != settingsPath)
        files << target;
    for (const QString &file : files) {
        const QFileInfo info(file);
        const QRegularExpression replace(
            QStringLiteral("^%1\\.%2$").arg(QRegularExpression::escape(info.fileName()), RandomPart));
        removeMatching(info.path(), info.fileName() + QLatin1Char('.'), replace);
    }
}
