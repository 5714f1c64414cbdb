// The settings store of the game: the per-user native QSettings file of organization
// "Tobrinel", one file per application title, in the format QSettings reads and writes.
//
// Every change runs under the file's lock (the same lock file QSettings itself takes),
// re-reads the file there and replaces it whole, so two copies of the game never lose
// each other's writes and a reader never sees half a table. The old file is kept under a
// second name until the new one has read back whole, and put back otherwise. A file that
// is damaged is never silently replaced: a copy of it stays beside it.
#pragma once

#include "topten/settingsstore.h"

class QSettingsStore final : public SettingsStore
{
public:
    // A file larger than this is not a top-ten list and is not read.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    // The file of the application title, where QSettings keeps it.
    static QString fileName(const QString &app);

    // A stored value that is not text (a hand-edited list or variant) is a StoreError. In
    // a damaged file the readable keys still come back; a key that cannot be found there
    // is a StoreError, as it may be what was lost.
    QString get(const QString &app, const QString &section, const QString &key,
                const QString &defaultText) override;
    // Returns only once the file on the disk holds the text.
    void save(const QString &app, const QString &section, const QString &key, const QString &text) override;
    // The section must be in the file and have at least one key.
    void deleteSection(const QString &app, const QString &section) override;

    // Reads the file once. Throws StoreError when it cannot be read, is too large, or is
    // not a settings file at all; a damaged key comes back with its problem.
    std::vector<StoredValue> readSection(const QString &app, const QString &section, const QStringList &keys,
                                         const QString &defaultText) override;
    // A file that is not a settings file, or too large, counts as holding no keys; it and
    // any damaged file are kept beside the new one, and the note returned says where.
    QString updateSection(const QString &app, const QString &section, const QStringList &keys,
                          const QString &defaultText, const SectionChange &change) override;

    QString clearSection(const QString &app, const QString &section) override;
    QString location(const QString &app) override { return QStringLiteral("the settings file ") + fileName(app); }
};
