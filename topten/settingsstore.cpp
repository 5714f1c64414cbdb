// The section-wide operations for a store that has only the three single-key ones. Such a
// store (one in memory) has no other writer and no damaged files, so reading key by key
// is consistent and any failure is one of the whole store.
#include "topten/settingsstore.h"

std::vector<StoredValue> SettingsStore::readSection(const QString &app, const QString &section,
                                                    const QStringList &keys, const QString &defaultText)
{
    std::vector<StoredValue> values;
    for (const QString &key : keys)
        values.push_back(StoredValue{get(app, section, key, defaultText), QString()});
    return values;
}

QString SettingsStore::updateSection(const QString &app, const QString &section, const QStringList &keys,
                                     const QString &defaultText, const SectionChange &change)
{
    const std::vector<std::optional<QString>> texts = change(readSection(app, section, keys, defaultText));
    for (qsizetype i = 0; i < keys.size() && i < qsizetype(texts.size()); ++i) {
        if (texts[i])
            save(app, section, keys[i], *texts[i]);
    }
    return QString();
}

QString SettingsStore::clearSection(const QString &app, const QString &section)
{
    deleteSection(app, section);
    return QString();
}

QString SettingsStore::location(const QString &app)
{
    return QStringLiteral("the settings of %1").arg(app);
}
