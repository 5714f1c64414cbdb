// The settings store of the game: QSettings in the per-user native format, organization
// "Tobrinel", one application per title. Qt's view of its settings file is not always the
// disk's (see qsettingsstore.cpp), so every read and every check of a write looks at the
// bytes the file holds.
#pragma once

#include "topten/settingsstore.h"

class QSettingsStore final : public SettingsStore
{
public:
    // A stored value that is not text (a hand-edited list or variant) is a StoreError. In
    // a damaged file the readable keys still come back; a key that cannot be found there
    // is a StoreError, as it may be what was lost.
    QString get(const QString &app, const QString &section, const QString &key,
                const QString &defaultText) override;
    // Returns only once the file on the disk holds the text.
    void save(const QString &app, const QString &section, const QString &key, const QString &text) override;
    // The section must be in the file and have at least one key.
    void deleteSection(const QString &app, const QString &section) override;
};
