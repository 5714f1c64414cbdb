// The top-ten procedures: the table's round trip through the settings store, the test
// whether a result qualifies, the nickname entry and the selection sort.
#include "topten/toptenlist.h"

#include "platform/appname.h"
#include "topten/settingsstore.h"
#include "topten/showntext.h"
#include "topten/storedvalue.h"
#include "platform/dialogs.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

QString appTitle() { return QString::fromLatin1(AppName); }
QString section() { return QStringLiteral("HiScores"); }
QString key(int index) { return QString::number(index); }

QStringList keys()
{
    QStringList all;
    for (int i = 0; i < TopTenList::Size; ++i)
        all << key(i);
    return all;
}

QString defaultName() { return QStringLiteral("Zenlor"); }
constexpr std::int64_t DefaultScore = MostStoredSteps;

TopTenEntry defaultEntry()
{
    return TopTenEntry{StoredScore(DefaultScore), NickName(defaultName())};
}

QString defaultValue()
{
    return defaultName() + StoredScore(DefaultScore).toString();
}

[[noreturn]] void throwTopTenError(const QString &description)
{
    throw std::runtime_error(description.toStdString());
}

// a is a weaker entry than b: a damaged entry is weaker than any result, and among
// results the one with more steps is weaker.
bool weaker(const TopTenEntry &a, const TopTenEntry &b)
{
    if (a.damaged != b.damaged)
        return a.damaged;
    return !a.damaged && a.score > b.score;
}

bool sameEntry(const TopTenEntry &a, const TopTenEntry &b)
{
    if (a.damaged != b.damaged || !(a.name == b.name))
        return false;
    return a.damaged ? a.storedText == b.storedText : a.score == b.score;
}

// A plain selection sort with a swap, on purpose: it is not stable, and which of two
// equal scores is shown first is decided by exactly this (5 A, 5 B, 7 C sorts to
// 7 C, 5 B, 5 A).
template <class Entries>
void sortWeakestFirst(Entries &entries)
{
    const int size = int(entries.size());
    for (int i = 0; i < size - 1; ++i) {
        int candidate = i;
        for (int j = i + 1; j < size; ++j) {
            if (weaker(entries[j], entries[candidate]))
                candidate = j;
        }
        std::swap(entries[i], entries[candidate]);
    }
}

// The entry a stored value holds; a value that cannot be read becomes a damaged entry and
// its problem, naming the key and the place, goes to problems.
TopTenEntry entryFromStored(const StoredValue &value, int index, const QString &where, QStringList &problems)
{
    TopTenEntry entry = defaultEntry();
    if (value.text) {
        const StoredEntry parsed = parseStoredValue(*value.text);
        entry.name = parsed.name;
        if (parsed.score && value.problem.isEmpty()) {
            entry.score = *parsed.score;
            return entry;
        }
        if (value.problem.isEmpty())
            problems << QStringLiteral("Key %1 in section \"%2\" of %3 holds %4, which is not a result: %5")
                            .arg(QLatin1Char('"') + key(index) + QLatin1Char('"'), section(), where,
                                 shownText(*value.text), parsed.problem);
    }
    if (!value.problem.isEmpty())
        problems << value.problem;
    entry.damaged = true;
    entry.storedText = value.text;
    return entry;
}

std::optional<QString> storedForm(const TopTenEntry &entry)
{
    if (entry.damaged)
        return entry.storedText;
    return entry.name.text() + entry.score.toString();
}

// Applies what a run changed to a table: the entries it dropped out, the ones it added in,
// the weakest beyond ten out (an added one among them goes to crowdedOut), defaults to fill.
void applyChanges(std::vector<TopTenEntry> &table, const std::vector<TopTenEntry> &added,
                  const std::vector<TopTenEntry> &removed, QStringList &crowdedOut)
{
    for (const TopTenEntry &entry : removed) {
        const auto match =
            std::find_if(table.begin(), table.end(), [&](const TopTenEntry &e) { return sameEntry(e, entry); });
        if (match != table.end())
            table.erase(match);
    }
    table.insert(table.end(), added.begin(), added.end());
    sortWeakestFirst(table);
    while (table.size() > 10) {
        const TopTenEntry dropped = table.front();
        table.erase(table.begin());
        if (std::any_of(added.begin(), added.end(), [&](const TopTenEntry &e) { return sameEntry(e, dropped); }))
            crowdedOut << dropped.name.text().trimmed() + QLatin1Char(' ') + dropped.score.toString();
    }
    while (table.size() < 10)
        table.insert(table.begin(), defaultEntry());
}

} // namespace

TopTenList::TopTenList(SettingsStore &store, Dialogs &dialogs)
    : m_store(store)
    , m_dialogs(dialogs)
{
    m_entries.fill(defaultEntry());
    m_stored = m_entries;
    m_retry.setSingleShot(false);
    QObject::connect(&m_retry, &QTimer::timeout, &m_retry, [this] { retry(); });
}

// The one place that catches everything: the procedure's failure is shown to the player
// under the procedure's own name and the program carries on from its caller.
template <class Body>
void TopTenList::reportFailures(const char *procedure, Body &&body)
{
    QString description;
    try {
        std::forward<Body>(body)();
        return;
    } catch (const std::exception &failure) {
        description = QString::fromUtf8(failure.what());
    } catch (...) {
        description = QStringLiteral("An unknown error occurred.");
    }
    m_dialogs.showMessage(description, DialogButtons::Ok, QString::fromLatin1(procedure));
}

// A note is no failure: it reaches the player in an information box, after the work it
// speaks of is done.
void TopTenList::tell(const QString &note)
{
    if (!note.isEmpty())
        m_dialogs.showNote(note);
}

void TopTenList::load()
{
    reportFailures("LoadTopTenBoard", [this] {
        // One read of the whole section. A damaged entry must not cost the good ones: it
        // is kept as a damaged entry, the rest are read, and all problems go in one box.
        const std::vector<StoredValue> values = m_store.readSection(appTitle(), section(), keys(), defaultValue());
        const QString where = m_store.location(appTitle());
        QStringList problems;
        // A result still waiting for the lock stays in the list shown, over what is stored.
        std::vector<TopTenEntry> added;
        std::vector<TopTenEntry> removed;
        if (m_waiting)
            changes(added, removed);
        for (int i = 0; i < int(m_entries.size()); ++i)
            m_entries[i] = entryFromStored(values[i], i, where, problems);
        m_stored = m_entries;
        if (m_waiting) {
            std::vector<TopTenEntry> table(m_entries.begin(), m_entries.end());
            QStringList crowdedOut;
            applyChanges(table, added, removed, crowdedOut);
            std::copy(table.begin(), table.end(), m_entries.begin());
        }
        if (!problems.isEmpty())
            throwTopTenError(problems.join(QStringLiteral("\n"))
                 + QStringLiteral("\nAn entry that cannot be read is not a result: the next result to enter the "
                                  "list takes its place first."));
    });
}

void TopTenList::changes(std::vector<TopTenEntry> &added, std::vector<TopTenEntry> &removed) const
{
    added.assign(m_entries.begin(), m_entries.end());
    removed.assign(m_stored.begin(), m_stored.end());
    for (auto it = added.begin(); it != added.end();) {
        const auto match =
            std::find_if(removed.begin(), removed.end(), [&](const TopTenEntry &e) { return sameEntry(e, *it); });
        if (match != removed.end()) {
            removed.erase(match);
            it = added.erase(it);
        } else {
            ++it;
        }
    }
}

TopTenList::Saved TopTenList::store(QString &note, QString &failure)
{
    // What this run changed (the new result in, the entry it displaced out) is applied
    // to the table stored now, read afresh under the store's lock.
    std::vector<TopTenEntry> added;
    std::vector<TopTenEntry> removed;
    changes(added, removed);

    std::vector<TopTenEntry> table;
    QStringList crowdedOut;
    QString storeNote;
    try {
        storeNote = m_store.updateSection(
            appTitle(), section(), keys(), defaultValue(), [&](const std::vector<StoredValue> &values) {
                QStringList ignored; // reported by the load that saw them
                table.clear();
                crowdedOut.clear();
                for (int i = 0; i < int(values.size()); ++i)
                    table.push_back(entryFromStored(values[i], i, QString(), ignored));
                applyChanges(table, added, removed, crowdedOut);
                std::vector<std::optional<QString>> texts;
                for (const TopTenEntry &entry : table)
                    texts.push_back(storedForm(entry));
                return texts;
            });
    } catch (const StoreBusy &) {
        return Saved::Busy;
    } catch (const StoreError &error) {
        failure = QStringLiteral("Your result could not be added to the top ten. ") + QString::fromUtf8(error.what());
        return Saved::Failed;
    }
    std::copy(table.begin(), table.end(), m_entries.begin());
    m_stored = m_entries;

    QStringList told;
    if (!crowdedOut.isEmpty())
        told << QStringLiteral("Meanwhile ten better results were stored, so %1 is no longer among them.")
                    .arg(crowdedOut.join(QStringLiteral(", ")));
    if (!storeNote.isEmpty())
        told << storeNote;
    note = told.join(QLatin1Char('\n'));
    return Saved::Stored;
}

void TopTenList::save()
{
    QString note;
    reportFailures("SaveTopTen", [this, &note] {
        m_store.setLockWait(m_saveWaitMs);
        QString failure;
        switch (store(note, failure)) {
        case Saved::Stored:
            if (m_waiting) {
                m_waiting = false;
                m_retry.stop();
                m_store.releaseWaiting(appTitle());
            }
            return;
        case Saved::Busy:
            // Kept in m_entries, shown in the list, and tried again until the lock is free.
            if (!m_waiting)
                note = QStringLiteral("Another copy of the game is using the Black List just now. Your result is "
                                      "waiting and will be stored as soon as the list is free.");
            m_waiting = true;
            m_retry.start(RetryIntervalMs);
            return;
        case Saved::Failed:
            throwTopTenError(failure);
        }
    });
    tell(note);
}

void TopTenList::retry()
{
    if (!m_waiting) {
        m_retry.stop();
        return;
    }
    // No wait at all: the window goes on while the other copy holds the list.
    const int wait = m_saveWaitMs;
    m_saveWaitMs = 0;
    save();
    m_saveWaitMs = wait;
}

void TopTenList::storeBeforeQuit()
{
    m_retry.stop();
    if (!m_waiting)
        return;
    m_store.setLockWait(QuitWaitMs);
    QString note;
    QString failure;
    if (store(note, failure) == Saved::Stored) {
        m_waiting = false;
        m_store.releaseWaiting(appTitle());
        return;
    }
    // Still not stored: the results this run added go in a file of their own, for the
    // next start; the ones taken from such a file at this start are among them.
    std::vector<TopTenEntry> added;
    std::vector<TopTenEntry> removed;
    changes(added, removed);
    QStringList texts;
    for (const TopTenEntry &entry : added) {
        if (!entry.damaged)
            texts << *storedForm(entry);
    }
    try {
        if (!texts.isEmpty())
            m_store.keepWaiting(appTitle(), texts);
        m_store.releaseWaiting(appTitle());
    } catch (const StoreError &) {
        // Nothing more can be done on the way out; a taken file stays to be taken again.
    }
}

void TopTenList::addWaitingResults()
{
    QStringList texts;
    try {
        texts = m_store.takeWaiting(appTitle());
    } catch (const StoreError &) {
        return;
    }
    if (texts.isEmpty())
        return;
    QStringList entered;
    for (const QString &text : std::as_const(texts)) {
        const StoredEntry parsed = parseStoredValue(text);
        if (!parsed.score)
            continue;
        const TopTenEntry entry{*parsed.score, parsed.name};
        const auto damaged = std::find_if(m_entries.begin(), m_entries.end(), [](const TopTenEntry &e) { return e.damaged; });
        TopTenEntry &slot = damaged != m_entries.end() ? *damaged : m_entries[0];
        if (!slot.damaged && !(entry.score < slot.score))
            continue; // ten better results were stored meanwhile
        slot = entry;
        sortWeakestFirst(m_entries);
        entered << entry.name.text().trimmed() + QLatin1Char(' ') + entry.score.toString();
    }
    if (entered.isEmpty()) {
        m_store.releaseWaiting(appTitle());
        tell(QStringLiteral("A result that another copy of the game kept the Black List from storing was "
                            "overtaken meanwhile by ten better ones."));
        return;
    }
    // Counted as waiting from here: stored now, or tried again, or kept again at the end.
    m_waiting = true;
    tell(QStringLiteral("A result that could not be stored when it was won, because another copy of the game "
                        "was using the Black List, enters it now: %1.")
             .arg(entered.join(QStringLiteral(", "))));
    save();
}

void TopTenList::clear()
{
    QString note;
    reportFailures("ClearTopTen", [this, &note] {
        note = m_store.clearSection(appTitle(), section());
        // Cleared here too: the list shows what a fresh store holds, and a later save has
        // no cleared result left to write back.
        m_entries.fill(defaultEntry());
        m_stored = m_entries;
    });
    tell(note);
}

void TopTenList::considerNewResult()
{
    reportFailures("CheckTopTen", [this] {
        m_newResultAdded = false;
        // The list keeps no more steps than it can read back as a result; such a win could
        // only have taken a damaged entry's place, to be read as damaged itself.
        if (StoredScore(MostStoredSteps) < m_newResult)
            return;
        for (int n = int(m_entries.size()) - 1; n >= 0; --n) {
            if (m_entries[n].damaged || m_newResult < m_entries[n].score) {
                addNewResult();
                return;
            }
        }
    });
}

void TopTenList::addNewResult()
{
    reportFailures("AddTopTen", [this] {
        // The weakest entry goes: a damaged one first, otherwise index 0, the weakest
        // whenever the table is in order.
        const auto damaged = std::find_if(m_entries.begin(), m_entries.end(), [](const TopTenEntry &e) { return e.damaged; });
        TopTenEntry &slot = damaged != m_entries.end() ? *damaged : m_entries[0];
        slot.score = m_newResult;
        slot.damaged = false;
        slot.storedText.reset();
        const QString offered = QStringLiteral("Pocong");
        QString nick;
        for (;;) {
            nick = NickName::fromTyped(m_dialogs.askText(QStringLiteral("What's your nick name ?? (max 6 character)"),
                                                          QStringLiteral("Selamat yaa, kong !!"), offered));
            if (!nick.isEmpty() && NickName::fitsWhole(nick)) // never a name cut where nobody sees why
                break;
            // The game is ending and cannot ask again: the win is kept under the name the
            // box offered rather than lost.
            if (m_dialogs.quitting()) {
                nick = offered;
                break;
            }
        }
        slot.name = NickName(nick);
        sort();
        m_newResultAdded = true;
    });
}

void TopTenList::sort()
{
    reportFailures("SortTopTen", [this] { sortWeakestFirst(m_entries); });
}
