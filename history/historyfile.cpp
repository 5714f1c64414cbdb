#include "history/historyfile.h"

#include "topten/filereplace.h"
#include "topten/settingsstore.h"
#include "topten/storelock.h"
#include "topten/storemessages.h"
#include "platform/storeplatform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace {

QString cannotAdd(const QString &path, const QString &why)
{
    return QStringLiteral("Your last game could not be added to your history, %1: %2. The games in it are "
                          "unchanged.")
        .arg(QDir::toNativeSeparators(path), why);
}

QString notAFile()
{
    return QStringLiteral("something other than a file (a folder, a pipe or a device) stands in its place");
}

// The lock's own report speaks of the settings file; the player reads of the history.
void lockForWriting(StoreLock &lock, const QString &path, const std::function<QString(const QString &)> &say)
{
    try {
        lock.lockForWriting();
    } catch (const StoreError &) {
        StoreMessages::fail(say(QStringLiteral("its lock file %1.lock could not be had (another copy of the game kept it too long, "
                                "or the folder takes no new file)")
                     .arg(QDir::toNativeSeparators(path))));
    }
}

QString lines(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(n);
}

} // namespace

HistoryFile::HistoryFile(QString path)
    : HistoryFile(std::move(path), systemPlatform())
{
}

HistoryFile::HistoryFile(QString path, StorePlatform &platform)
    : m_path(std::move(path))
    , m_platform(platform)
{
}

QString HistoryFile::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("games.txt"));
}

void HistoryFile::append(const GameRecord &game)
{
    const QByteArray line = GameRecords::encode(game);
    const auto say = [this](const QString &why) { return cannotAdd(m_path, why); };
    if (!QDir().mkpath(QFileInfo(m_path).path()))
        StoreMessages::fail(say(QStringLiteral("its folder cannot be made")));
    // Checked before the lock and the open: opening a pipe would wait for a writer forever.
    if (entryKind(m_path) == EntryKind::Other)
        StoreMessages::fail(say(notAFile()));
    StoreLock lock(m_path);
    lockForWriting(lock, m_path, say);
    if (entryKind(m_path) == EntryKind::Other)
        StoreMessages::fail(say(notAFile()));

    QFile file(m_path);
    // Unbuffered: a short write is seen here, not at a close whose failure is easy to miss.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        StoreMessages::fail(say(file.errorString()));
    const qint64 end = file.size();
    QByteArray bytes = line;
    // The tail of an append that a power cut or a full disk left without its newline stays
    // a line of its own, read as damaged, and this game starts a whole line.
    char last = '\n';
    if (end > 0 && (!file.seek(end - 1) || !file.getChar(&last)))
        StoreMessages::fail(say(file.errorString()));
    if (last != '\n')
        bytes.prepend('\n');
    if (!file.seek(end) || file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        // Back to where the file ended, so that no part of this game is left behind.
        file.resize(end);
        StoreMessages::fail(say(why));
    }
}

QString HistoryFile::keep(const FinishedGame &finished)
{
    GameRecord game;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    game.ended = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC);
    game.seconds = finished.seconds;
    game.won = finished.won;
    game.hints = finished.hints;
    game.watches = finished.watches;
    game.undos = finished.undos;
    game.moves = finished.moves;
    try {
        append(game);
    } catch (const StoreError &failure) {
        return QString::fromUtf8(failure.what());
    }
    return QString();
}

HistoryRead HistoryFile::read()
{
    HistoryRead result;
    const QString shown = QDir::toNativeSeparators(m_path);
    switch (entryKind(m_path)) {
    case EntryKind::Absent:
        return result;
    case EntryKind::Other:
        result.note = QStringLiteral("Your history, %1, could not be read: %2.").arg(shown, notAFile());
        return result;
    case EntryKind::File:
    case EntryKind::Unknown:
        break;
    }
    // A short wait at most. Without the lock, a line still being added may be read half.
    StoreLock lock(m_path);
    const bool locked = lock.lockForReading();

    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.note = QStringLiteral("Your history, %1, could not be read: %2.").arg(shown, file.errorString());
        return result;
    }
    if (file.size() > MaxFileSize) {
        result.note = QStringLiteral("Your history, %1, is too large to be read (%2 MB; a history of 10,000 games "
                                     "takes about 1 MB). It is left as it is.")
                          .arg(shown)
                          .arg(file.size() / (1024 * 1024));
        return result;
    }
    const QByteArray bytes = file.readAll();
    file.close();

    QByteArray damaged;
    qsizetype damagedCount = 0;
    std::vector<std::pair<qsizetype, qsizetype>> damagedAt; // where each damaged line starts and ends
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool whole = end >= 0;
        end = whole ? end + 1 : bytes.size();
        const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        start = end;
        if (!whole && !locked)
            break; // another copy is adding it right now
        if (line == "\n")
            continue;
        if (std::optional<GameRecord> game = GameRecords::decode(line)) {
            result.games.push_back(std::move(*game));
        } else {
            damagedAt.push_back({end - line.size(), end});
            damaged += line;
            if (!whole)
                damaged += '\n';
            ++damagedCount;
        }
    }
    if (damagedCount == 0)
        return result;

    const QString unread = QStringLiteral("%1 of your history, %2, could not be read (damaged)").arg(lines(damagedCount), shown);
    if (!locked) {
        result.note = unread + QStringLiteral(" and are left out here. They stay in the file.");
        return result;
    }
    // Kept aside under a name of their own, then taken out of the history: the next read
    // finds the history whole and says nothing more.
    QByteArray kept;
    qsizetype from = 0;
    for (const auto &[start, end] : damagedAt) {
        kept += QByteArrayView(bytes).sliced(from, start - from);
        from = end;
    }
    kept += QByteArrayView(bytes).sliced(from);
    QString aside;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 0; n < 100 && aside.isEmpty(); ++n) {
        const QString name = m_path + QStringLiteral(".damaged-") + stamp + (n ? QStringLiteral("-%1").arg(n) : QString());
        if (entryKind(name) == EntryKind::Absent)
            aside = name;
    }
    try {
        if (aside.isEmpty())
            throw StoreError("no free name");
        removeLeftovers(m_path);
        FileReplace::replaceWhole(aside, damaged, m_platform);
        try {
            FileReplace::replaceWhole(m_path, kept, m_platform);
        } catch (const StoreError &) {
            QFile::remove(aside);
            throw;
        }
    } catch (const StoreError &) {
        result.note = unread + QStringLiteral(" and are left out here. They could not be kept aside and stay in the file.");
        return result;
    }
    result.note = unread + QStringLiteral(". They are kept in %1 and left out of your games.").arg(QDir::toNativeSeparators(aside));
    return result;
}

void HistoryFile::clear()
{
    const auto say = [this](const QString &why) {
        return QStringLiteral("Your history, %1, could not be cleared: %2. It is unchanged.")
            .arg(QDir::toNativeSeparators(m_path), why);
    };
    const EntryKind kind = entryKind(m_path);
    if (kind == EntryKind::Absent)
        return;
    if (kind == EntryKind::Other)
        StoreMessages::fail(say(notAFile()));
    StoreLock lock(m_path);
    lockForWriting(lock, m_path, say);
    QFile file(m_path);
    if (file.exists() && !file.remove())
        StoreMessages::fail(say(file.errorString()));
}
