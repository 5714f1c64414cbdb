// The per-user settings store that keeps the top ten between runs, addressed by
// application, section and key, a section at a time. Every operation throws StoreError
// when the store fails.
#pragma once

#include "topten/storedvalue.h"

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

// Another copy of the game held the store's lock for longer than the change would wait:
// nothing was written, and the same change may well work a moment later.
class StoreBusy : public StoreError
{
public:
    using StoreError::StoreError;
};

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The given keys of one section, read together as one consistent snapshot; a key with
    // no entry comes back as defaultText. Throws StoreError when the section as a whole
    // cannot be read.
    virtual std::vector<StoredValue> readSection(const QString &app, const QString &section,
                                                 const QStringList &keys, const QString &defaultText) = 0;

    // What to write for each key: a text, or nothing to leave the key out.
    using SectionChange =
        std::function<std::vector<std::optional<QString>>(const std::vector<StoredValue> &stored)>;
    // Reads the keys afresh, lets change decide from them what to write and writes it, as
    // one step that no other writer of the store can come between. When change throws,
    // nothing is written. Returns only once the texts are stored, with a note for the
    // player, empty when there is nothing to tell (a store that had to keep a damaged
    // file aside says where).
    virtual QString updateSection(const QString &app, const QString &section, const QStringList &keys,
                                  const QString &defaultText, const SectionChange &change) = 0;

    // Removes the section with all its keys; a section that does not exist is an error.
    // Returns a note for the player like updateSection's.
    virtual QString clearSection(const QString &app, const QString &section) = 0;

    // Where the application's entries are kept, for messages to the player.
    virtual QString location(const QString &app) = 0;

    // How long a change waits for another writer before it throws StoreBusy; a store
    // without other writers never waits.
    virtual void setLockWait(int ms) { static_cast<void>(ms); }

    // Stored texts of results that could not be stored because the store stayed busy,
    // kept beside it until the next start. Adds to those already kept; throws StoreError.
    virtual void keepWaiting(const QString &app, const QStringList &texts)
    {
        static_cast<void>(app);
        static_cast<void>(texts);
        throw StoreError("There is no place to keep a result for later.");
    }
    // Takes what was kept for this copy of the game alone; releaseWaiting removes it once
    // it is stored (or kept again).
    virtual QStringList takeWaiting(const QString &app)
    {
        static_cast<void>(app);
        return {};
    }
    virtual void releaseWaiting(const QString &app) { static_cast<void>(app); }
};
