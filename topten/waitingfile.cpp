#include "topten/waitingfile.h"

#include "topten/filereplace.h"
#include "topten/storemessages.h"
#include "platform/storeplatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// A kept file is a few results; anything larger is not ours.
constexpr qint64 MostWaitingBytes = 64 * 1024;

QStringList textsIn(const QString &path)
{
    QFile file(path);
    if (file.size() > MostWaitingBytes || !file.open(QIODevice::ReadOnly))
        return {};
    QStringList texts;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.isEmpty())
            texts << line;
    }
    return texts;
}

} // namespace

QString WaitingFile::pathFor(const QString &settingsPath)
{
    return settingsPath + QStringLiteral(".waiting");
}

void WaitingFile::add(const QString &settingsPath, const QStringList &texts, StorePlatform &platform)
{
    if (!QDir().mkpath(QFileInfo(settingsPath).path()))
        StoreMessages::fail(QStringLiteral("The folder of %1 cannot be made.").arg(settingsPath));
    const QString path = pathFor(settingsPath);
    QStringList all = textsIn(path);
    for (const QString &text : texts) {
        QString line = text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' ')); // a name is one line; a text, one line
        all << line;
    }
    FileReplace::replaceWhole(path, (all.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), platform);
}

QStringList WaitingFile::claim(const QString &settingsPath, QStringList &claimed)
{
    claimed.clear();
    const QString path = pathFor(settingsPath);
    const QFileInfo info(path);
    QStringList texts;
    // Left by a copy that took a file and ended before storing what it held.
    static const QRegularExpression taken(QStringLiteral("\\.taken-([0-9]+)(?:-[0-9]+)?$"));
    const QFileInfoList entries = QDir(info.path()).entryInfoList({info.fileName() + QStringLiteral(".taken-*")},
                                                                  QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        const QRegularExpressionMatch match = taken.match(entry.fileName());
        if (match.hasMatch() && !entry.isSymLink() && processGone(match.captured(1).toLongLong())) {
            const QString mine = path + QStringLiteral(".taken-%1").arg(QCoreApplication::applicationPid());
            const QString name = mine + QLatin1Char('-') + QString::number(claimed.size());
            if (QFile::rename(entry.filePath(), name)) {
                texts << textsIn(name);
                claimed << name;
            }
        }
    }
    // A rename is atomic: of two copies starting together, one takes the file.
    const QString mine = path + QStringLiteral(".taken-%1").arg(QCoreApplication::applicationPid());
    if (info.isFile() && !info.isSymLink() && QFile::rename(path, mine)) {
        texts << textsIn(mine);
        claimed << mine;
    }
    return texts;
}
