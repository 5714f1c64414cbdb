// TopTenList: the ten best results for the whole run, mirrored in the settings store.
//
// The entries are kept in descending order of score: index 0 is the weakest result and the one
// a new result replaces, index 9 the best. Each of the six procedures catches its own
// failures, reports them in an OK-only box titled with the procedure's name and returns
// as if it had finished; what was done before the failure stays done. What the player
// should know but is no failure (a damaged file kept aside) comes as a note.
#pragma once

#include "topten/storedscore.h"
#include "topten/nickname.h"
#include "topten/toptensize.h"

#include <QString>
#include <QTimer>

#include <array>
#include <optional>
#include <utility>
#include <vector>

class Dialogs;
class SettingsStore;

struct TopTenEntry
{
    TopTenEntry() = default;
    TopTenEntry(StoredScore score, NickName name)
        : score(score)
        , name(std::move(name))
    {
    }

    StoredScore score; // steps; fewer is better
    NickName name;     // always six characters, padded with spaces

    // A stored value that could not be read: not a result. It counts as weaker than any
    // result, so a win replaces it first, and it is written back only as the text it was.
    bool damaged = false;
    std::optional<QString> storedText; // that text; none when the key itself was lost
};

class TopTenList
{
public:
    // The list starts as ten ("Zenlor", 3600) entries, the table of an empty store, so that
    // an entry the first load cannot read is the weakest one and the first to go.
    TopTenList(SettingsStore &store, Dialogs &dialogs);

    static constexpr int Size = TopTenSize;
    using Entries = std::array<TopTenEntry, Size>;

    void load();
    void save();
    void clear();

    // The result of a game just won (setNewResult) enters the list if it beats an entry:
    // considerNewResult asks for the player's name through addNewResult, which puts it in
    // and sorts the list. newResultAdded tells whether it did.
    void setNewResult(StoredScore score) { m_newResult = score; }
    StoredScore newResult() const { return m_newResult; }
    void considerNewResult();
    void addNewResult();
    void sort();
    bool newResultAdded() const { return m_newResultAdded; }

    const Entries &entries() const { return m_entries; }
    // Tests set up a list without a store behind it.
    Entries &entries() { return m_entries; }
    void setEntry(int index, const TopTenEntry &entry) { m_entries[static_cast<std::size_t>(index)] = entry; }

    // A result waiting for another copy of the game to let go of the list. A save waits
    // saveWaitMs for the lock (a negative value: the store's own wait); when the lock stays
    // taken, the player is told, the result stays in the entries and a timer tries again
    // every RetryIntervalMs without waiting. The game sets a short wait so that the window
    // never freezes.
    void setSaveWait(int ms) { m_saveWaitMs = ms; }
    bool resultWaiting() const { return m_waiting; }
    static constexpr int RetryIntervalMs = 1000;
    static constexpr int QuitWaitMs = 500;

    // At the end of the run: a waiting result gets one more try of QuitWaitMs, and what
    // still cannot be stored is kept beside the list for the next start. Asks nothing.
    void storeBeforeQuit();
    // At the start: results kept by an earlier run enter the list, and the player is told.
    void addWaitingResults();

private:
    // What this run believes the store holds: set by each load, save and clear that
    // worked. A save applies the difference between it and the entries to the table it finds
    // stored then, so what another copy of the game or a hand edit put there stays.
    Entries m_stored;

    enum class Saved { Stored, Busy, Failed };
    // The save itself: what this run changed, applied to the table stored now. Failed sets
    // failure; Stored may set a note.
    Saved store(QString &note, QString &failure);
    // The entries this run has that the store has not, and those the store has that this
    // run dropped.
    void changes(std::vector<TopTenEntry> &added, std::vector<TopTenEntry> &removed) const;
    void retry();

    bool m_waiting = false;
    int m_saveWaitMs = -1;
    QTimer m_retry;
    Entries m_entries;
    StoredScore m_newResult;
    bool m_newResultAdded = false;

    template <class Body>
    void reportFailures(const char *procedure, Body &&body);
    void tell(const QString &note);

    SettingsStore &m_store;
    Dialogs &m_dialogs;
};
