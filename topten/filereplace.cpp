// The atomic replace of the settings file, on QSaveFile: the new list goes to a temporary
// file in the same folder (the link's target's folder for a link), is flushed to the disk
// and renamed over the old file only when all of it was written.
#include "topten/filereplace.h"

#include "topten/storemessages.h"
#include "platform/storeplatform.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

using namespace StoreMessages;

namespace {

// Whether the commit of file may be tried again. Windows replaces no file that another
// program has open without sharing its deletion, as Qt opens every file it reads there:
// another copy of the game reading the list for a few milliseconds refuses the rename.
// The list is written again and renamed again for a second at most, then reported.
bool mayTryAgain([[maybe_unused]] const QSaveFile &file, [[maybe_unused]] QDeadlineTimer &deadline)
{
#ifdef Q_OS_WIN
    if (file.error() == QFileDevice::RenameError && !deadline.hasExpired()) {
        QThread::msleep(10);
        return true;
    }
#endif
    return false;
}

} // namespace

void FileReplace::replaceWhole(const QString &path, const QByteArray &bytes, StorePlatform &platform)
{
    QDeadlineTimer deadline(1000);
    for (;;) {
        QSaveFile file(path);
        // Unbuffered: Qt 6.4's commit() flushes its buffer only after the sync and ignores a
        // failed flush, so on a full disk it would rename a short file over the list.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            fail(cannotWrite(path, file.errorString()));
        if (file.write(bytes) != bytes.size()) {
            const QString why = file.errorString();
            file.cancelWriting();
            fail(cannotWrite(path, why));
        }
        if (file.commit())
            break;
        if (!mayTryAgain(file, deadline))
            fail(cannotWrite(path, file.errorString()));
    }
    // QSaveFile syncs the new file but not the folder's entry for it, without which the
    // rename may not survive a power cut. The list is written by now, so a folder that
    // cannot be synced is as safe as its file system makes it and is not reported.
    platform.syncFolder(QFileInfo(QFileInfo(path).canonicalFilePath()).path());
}

QString FileReplace::keepAside(const QString &path, StorePlatform &platform)
{
    // For a link, the file it points to: a second name for the link itself would show the
    // new list once the target is replaced.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString damaged = canonical.isEmpty() ? path : canonical;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 0; n < 100; ++n) {
        const QString name = path + QStringLiteral(".damaged-") + stamp + (n ? QStringLiteral("-%1").arg(n) : QString());
        const int error = platform.hardLink(damaged, name);
        if (error == 0)
            return name;
        if (StorePlatform::meansNoHardLinks(error) && !QFileInfo::exists(name)) {
            // FAT, exFAT and some network shares have no hard links: a copy costs room
            // but keeps the file as well.
            if (QFile::copy(damaged, name))
                return name;
            QFile::remove(name);
            fail(cannotWrite(path, QStringLiteral("the damaged file could not be kept aside: no hard link (%1), "
                                                  "and no copy could be made")
                                       .arg(platform.errorText(error))));
        }
        if (!StorePlatform::meansExists(error))
            fail(cannotWrite(path, QStringLiteral("the damaged file could not be kept aside (%1)")
                                       .arg(platform.errorText(error))));
    }
    fail(cannotWrite(path, QStringLiteral("the damaged file could not be kept aside")));
}
