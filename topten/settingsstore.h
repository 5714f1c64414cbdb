// The per-user settings store that keeps the top ten between runs, addressed by
// application, section and key. Every operation throws StoreError when the store fails.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One key of a section as read: its text (the default when the key is simply not there),
// or why it cannot be read. A key lost from a damaged file has a problem and no text.
struct StoredValue
{
    std::optional<QString> text;
    QString problem;
};

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultText when the application, section or key has no entry.
    virtual QString get(const QString &app, const QString &section, const QString &key,
                        const QString &defaultText) = 0;
    // Creates the entry or replaces its text; returns only once the text is stored.
    virtual void save(const QString &app, const QString &section, const QString &key,
                      const QString &text) = 0;
    // Removes the section with all its keys; a section that does not exist is an error.
    virtual void deleteSection(const QString &app, const QString &section) = 0;

    // The given keys of one section, read together as one consistent snapshot. Throws
    // StoreError when the section as a whole cannot be read.
    virtual std::vector<StoredValue> readSection(const QString &app, const QString &section,
                                                 const QStringList &keys, const QString &defaultText);

    // What to write for each key: a text, or nothing to leave the key out.
    using SectionChange =
        std::function<std::vector<std::optional<QString>>(const std::vector<StoredValue> &stored)>;
    // Reads the keys afresh, lets change decide from them what to write and writes it, as
    // one step that no other writer of the store can come between. When change throws,
    // nothing is written. Returns a note for the player, empty when there is nothing to
    // tell (a store that had to keep a damaged file aside says where).
    virtual QString updateSection(const QString &app, const QString &section, const QStringList &keys,
                                  const QString &defaultText, const SectionChange &change);

    // Where the application's entries are kept, for messages to the player.
    virtual QString location(const QString &app);

    // deleteSection, with a note for the player like updateSection's.
    virtual QString clearSection(const QString &app, const QString &section);
};
