// The settings store of the game: the per-user native QSettings file of organization
// "Tobrinel", one file per application title, in the format QSettings reads and writes.
//
// Every change runs under the file's lock, re-reads the file there and replaces it whole,
// so two copies of the game never lose each other's writes and a reader never sees half
// a table. A file that is damaged is never silently replaced: a copy of it stays beside
// it. The parts: settingsfile (the bytes and what they hold), storelock (the lock and
// recovery), filereplace (the atomic replace), storeplatform (the system calls).
#pragma once

#include "topten/settingsstore.h"

class StorePlatform;

class QSettingsStore final : public SettingsStore
{
public:
    QSettingsStore();
    explicit QSettingsStore(StorePlatform &platform);

    // The file of the application title, where QSettings keeps it.
    static QString fileName(const QString &app);

    // Reads the file once. Throws StoreError when it cannot be read, is too large, or is
    // not a settings file at all; a damaged key (one lost from a damaged file, or one that
    // does not hold text) comes back with its problem.
    std::vector<StoredValue> readSection(const QString &app, const QString &section, const QStringList &keys,
                                         const QString &defaultText) override;
    // A file that is not a settings file, or too large, counts as holding no keys; it and
    // any damaged file are kept beside the new one, and the note returned says where.
    QString updateSection(const QString &app, const QString &section, const QStringList &keys,
                          const QString &defaultText, const SectionChange &change) override;
    // The section must be in the file and have at least one key.
    QString clearSection(const QString &app, const QString &section) override;
    QString location(const QString &app) override { return QStringLiteral("the settings file ") + fileName(app); }

    void setLockWait(int ms) override { m_lockWaitMs = ms; }
    // "<file>.waiting" beside the settings file, written whole (QSaveFile and a folder sync).
    void keepWaiting(const QString &app, const QStringList &texts) override;
    QStringList takeWaiting(const QString &app) override;
    void releaseWaiting(const QString &app) override;

private:
    template <class Decide>
    QString rewrite(const QString &path, const QString &section, Decide &&decide);

    StorePlatform &m_platform;
    int m_lockWaitMs = -1;     // the lock's own default until set
    QStringList m_takenWaiting; // files taken by takeWaiting, not yet released
};
