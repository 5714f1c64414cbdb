// Recording and scripted stand-ins for the seams, shared by the tests of the logic.
#pragma once

#include "game/board.h"
#include "game/gameview.h"
#include "audio/cues.h"
#include "topten/settingsstore.h"
#include "platform/storeplatform.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"

#include <QMap>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// Answers each dialog from a queue and records what was asked. A dialog that nobody
// scripted answers Cancel (showMessage) or "" (askText), and counts as unexpected.
class FakeDialogs final : public Dialogs
{
public:
    struct Call
    {
        QString kind; // "showMessage", "showNote" or "askText"
        QString prompt;
        QString title;
        int buttons = -1;          // showMessage only
        QString defaultText;       // askText only
    };

    Answer showMessage(const QString &prompt, DialogButtons buttons, const QString &title) override;
    void showNote(const QString &prompt) override;
    QString askText(const QString &prompt, const QString &title, const QString &defaultText) override;

    bool quitting() const override { return quittingNow; }

    std::deque<Answer> answers;
    std::deque<QString> inputAnswers;
    std::vector<Call> calls;
    int unexpected = 0;
    std::function<void()> onMessage; // runs as each message box is asked, before its answer
    bool quittingNow = false;       // the game is ending (see Dialogs::quitting)

    // Titles of the OK-only reports, in order; notes (showNote) are not among them.
    QStringList reportTitles() const;
    // The notes shown, in order.
    QStringList notes() const;
};

// A settings store in memory: no other writer and no damaged files. failOn* make the next
// matching operation throw; a failed update keeps the keys written before the failing one,
// as a store that stops halfway would.
class MemoryStore final : public SettingsStore
{
public:
    std::vector<StoredValue> readSection(const QString &app, const QString &section, const QStringList &keys,
                                         const QString &defaultText) override;
    QString updateSection(const QString &app, const QString &section, const QStringList &keys,
                          const QString &defaultText, const SectionChange &change) override;
    QString clearSection(const QString &app, const QString &section) override;
    QString location(const QString &app) override;

    QMap<QString, QString> values; // "app/section/key" -> text
    QString failOnSaveKey;         // an update writing this key throws there
    bool failGets = false;         // every read throws
    QString note;                  // what each update and clear that worked tells the player
    bool busy = false;             // every update throws StoreBusy, as when another copy holds the lock
    std::vector<int> lockWaits;    // each wait set, in order

    void setLockWait(int ms) override { lockWaits.push_back(ms); }
    void keepWaiting(const QString &app, const QStringList &texts) override;
    QStringList takeWaiting(const QString &app) override;
    void releaseWaiting(const QString &app) override;
    QStringList kept;              // what keepWaiting keeps, until taken
    QStringList taken;             // what takeWaiting took, until released

    static QString path(const QString &app, const QString &section, const QString &key);
};

// The settings store's system calls, done for real and recorded. hardLinkError makes every
// hard link fail with that error number, as on a file system without hard links;
// beforeSync runs just before a folder is synced.
class RecordingPlatform final : public StorePlatform
{
public:
    int hardLink(const QString &existing, const QString &newName) override;
    int renameOver(const QString &from, const QString &to) override;
    int syncFolder(const QString &folder) override;
    QString errorText(int error) override;

    int hardLinkError = 0;
    std::function<void()> beforeSync;
    QStringList calls; // "hardLink <new name>", "renameOver <to>", "syncFolder <folder>"
};

// The MemoryStore key under which TopTenList keeps entry index.
QString storedKey(int index);

// Finds and starts only the files listed in files, and records every question: with no
// files it finds nothing and starts nothing.
class FakeLauncher final : public Launcher
{
public:
    bool fileExists(const QString &path) override;
    bool startDetached(const QString &program) override;

    QStringList files;
    QStringList asked;    // fileExists
    QStringList started;  // startDetached, whether it started or not
};

// Cues in the order they were requested; cuenames.h makes a failed comparison print them
// by name.
using Cues = std::vector<Cue>;
QString cueName(Cue cue); // "Select"

// Records the cues requested; onPlay runs inside the request (to look at the state then, or
// to queue what a player does while the cue plays).
class RecordingCuePlayer final : public CuePlayer
{
public:
    void play(Cue cue) override;

    Cues cues;
    std::function<void(Cue)> onPlay;
};

// Records what the logic shows in the main window and the other windows.
class RecordingView final : public GameView
{
public:
    void showCell(int cell, Piece piece, bool selected) override { cells[cell] = {piece, selected}; }
    void setStepText(const QString &text) override { stepText = text; }
    void setTimeText(const QString &text) override { timeLabel = text; }
    void setSoundChecked(bool checked) override { soundCheck = checked; }
    void showResults(int rank, const QString &time, const QString &steps) override;
    void load(WindowId form) override;
    void showModal(WindowId form) override;
    void unload(WindowId form) override;
    void showInFront(WindowId form) override;
    void focusCell(int cell) override { focusedCell = cell; }
    void endProgram() override { ended = true; }
    void showHint(int from, int to, int movesLeft) override { hints.push_back({from, to, movesLeft}); hintShown = true; }
    void hideHint() override { hintShown = false; }
    void showBoardNote(int from, int to, const QString &text) override { review = {from, to, text}; noteShown = true; }
    void hideBoardNote() override { noteShown = false; }

    // What the cells 1..17 show as one string, e.g. "bbbbbbbb b bbbbbbbb" at start: '.'
    // empty, 'b' ball, 't' tile, upper case when selected, a space around the shared cell.
    QString cellsText() const;

    struct Shown { Piece piece = Piece::Ball; bool selected = false; }; // the design shows balls
    Shown cells[LastCell + 1];
    QString stepText = QStringLiteral("00");
    QString timeLabel = QStringLiteral("00:00:00");
    bool soundCheck = true;
    bool ended = false;
    int focusedCell = 0;

    struct Results { int rank; QString time; QString steps; };
    std::vector<Results> results;
    QStringList events; // "load InstructionsWindow", "modal BlackListWindow", "unload ResultsWindow"...
    std::function<void(WindowId)> onModal; // runs while the modal window would be open

    struct Hint { int from; int to; int movesLeft; };
    std::vector<Hint> hints;
    bool hintShown = false; // marks on the board until hidden

    struct Review { int from = 0; int to = 0; QString text; };
    Review review;          // the last review step shown
    bool noteShown = false;
};

QString formName(WindowId form);

// Answers in data-driven tests.
Q_DECLARE_METATYPE(Answer)
