// The top ten in a QSettings file: each operation takes the lock, mends what an
// interrupted write left, reads the file once and, for a change, replaces it whole.
#include "topten/qsettingsstore.h"

#include "platform/appname.h"
#include "topten/filereplace.h"
#include "topten/settingsfile.h"
#include "topten/storelock.h"
#include "topten/storemessages.h"
#include "platform/storeplatform.h"
#include "topten/waitingfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <optional>

using namespace StoreMessages;

QSettingsStore::QSettingsStore()
    : QSettingsStore(systemPlatform())
{
}

QSettingsStore::QSettingsStore(StorePlatform &platform)
    : m_platform(platform)
{
}

QString QSettingsStore::fileName(const QString &app)
{
    // QSettings reads its file as soon as it is made, and this one may be huge or damaged:
    // the name of a sibling that does not exist costs nothing.
#ifdef Q_OS_WIN
    // Windows' native format is the registry; the file goes where Qt keeps a program's
    // settings files there, the per-user roaming application data (%APPDATA%\Tobrinel).
    const QSettings::Format format = QSettings::IniFormat;
#else
    const QSettings::Format format = QSettings::NativeFormat;
#endif
    const QString sibling =
        QSettings(format, QSettings::UserScope, QString::fromLatin1(AppName), QStringLiteral(".tobrinel-probe"))
            .fileName();
    return QFileInfo(sibling).dir().filePath(app + QStringLiteral(".conf"));
}

// The common path of every change: lock, recover, read, decide, keep aside, replace.
// decide fills the keys to keep and the section texts; it sees the file's kind.
template <class Decide>
QString QSettingsStore::rewrite(const QString &path, const QString &section, Decide &&decide)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        fail(cannotWrite(path, QStringLiteral("its folder cannot be made")));
    StoreLock lock(path);
    if (m_lockWaitMs < 0)
        lock.lockForWriting();
    else
        lock.lockForWriting(m_lockWaitMs);
    recoverInterruptedWrite(path, m_platform);
    removeLeftovers(path);
    SettingsFile file;
    try {
        file = SettingsFiles::read(path, section);
    } catch (const StoreError &error) {
        fail(QString::fromUtf8(error.what()) + unchanged());
    }

    QVariantMap values;
    bool setAside = file.needsKeepingAside();
    decide(file, values, setAside);

    const QByteArray bytes = SettingsFiles::build(path, values);
    const QString aside = setAside && QFileInfo::exists(path) ? FileReplace::keepAside(path, m_platform) : QString();
    try {
        FileReplace::replaceWhole(path, bytes, m_platform);
    } catch (...) {
        if (!aside.isEmpty())
            QFile::remove(aside);
        throw;
    }
    if (aside.isEmpty())
        return QString();
    const QString why = file.why.isEmpty()
        ? QStringLiteral("The settings file %1 held entries that could not be read.").arg(path)
        : file.why;
    return why + QStringLiteral(" The file as it was is kept as %1.").arg(aside);
}

std::vector<StoredValue> QSettingsStore::readSection(const QString &app, const QString &section,
                                                     const QStringList &keys, const QString &defaultText)
{
    const QString path = fileName(app);
    std::optional<StoreLock> lock;
    if (QFileInfo(QFileInfo(path).path()).isDir()) {
        lock.emplace(path);
        if (lock->lockForReading())
            recoverInterruptedWrite(path, m_platform);
    }
    const SettingsFile file = SettingsFiles::read(path, section);
    if (file.holdsNoList())
        fail(file.why);
    return SettingsFiles::sectionValues(path, file, section, keys, defaultText);
}

QString QSettingsStore::updateSection(const QString &app, const QString &section, const QStringList &keys,
                                      const QString &defaultText, const SectionChange &change)
{
    const QString path = fileName(app);
    return rewrite(path, section, [&](const SettingsFile &file, QVariantMap &values, bool &setAside) {
        std::vector<StoredValue> stored;
        if (file.holdsNoList()) {
            stored.assign(keys.size(), StoredValue{defaultText, QString()});
        } else {
            stored = SettingsFiles::sectionValues(path, file, section, keys, defaultText);
            values = file.values;
            for (const QString &key : keys)
                values.remove(section + QLatin1Char('/') + key);
            // A key that cannot be read is left out of the new file; the old one keeps it.
            for (const StoredValue &value : stored)
                setAside = setAside || !value.problem.isEmpty();
        }
        const std::vector<std::optional<QString>> texts = change(stored);
        for (qsizetype i = 0; i < keys.size() && i < qsizetype(texts.size()); ++i) {
            if (texts[i])
                values.insert(section + QLatin1Char('/') + keys[i], *texts[i]);
        }
    });
}

QString QSettingsStore::clearSection(const QString &app, const QString &section)
{
    const QString path = fileName(app);
    return rewrite(path, section, [&](const SettingsFile &file, QVariantMap &values, bool &) {
        if (file.holdsNoList())
            fail(file.why);
        const QString prefix = section + QLatin1Char('/');
        bool found = false;
        for (auto it = file.values.cbegin(); it != file.values.cend(); ++it) {
            if (it.key().startsWith(prefix))
                found = true;
            else
                values.insert(it.key(), it.value());
        }
        if (!found)
            fail(QStringLiteral("There is no section %1 in the settings file %2 to delete.").arg(quoted(section), path));
    });
}

void QSettingsStore::keepWaiting(const QString &app, const QStringList &texts)
{
    WaitingFile::add(fileName(app), texts, m_platform);
}

QStringList QSettingsStore::takeWaiting(const QString &app)
{
    QStringList taken;
    const QStringList texts = WaitingFile::claim(fileName(app), taken);
    m_takenWaiting << taken;
    return texts;
}

void QSettingsStore::releaseWaiting(const QString &)
{
    for (const QString &file : std::as_const(m_takenWaiting))
        QFile::remove(file);
    m_takenWaiting.clear();
}
