// The player's history of games: a file of its own in the per-user data folder, one line a
// game (gamerecord.h), added to by appending.
//
// Appending never rewrites what is there, so a crash, a kill or a full disk can cost at
// most the game being added, never an earlier one; a failed append is cut back to where
// the file ended. Every append and every rewrite runs under the file's lock (the store's
// StoreLock), so two copies of the game both add their games. A line that cannot be read
// is kept aside in a file of its own, named in the note of the read that found it, and
// taken out of the history, so it is told once and never dropped unseen.
#pragma once

#include "game/gamearchive.h"
#include "history/gamerecord.h"

#include <QString>

#include <vector>

class StorePlatform;

struct HistoryRead
{
    std::vector<GameRecord> games; // oldest first
    QString note;                  // for the player: lines kept aside, a file that could not be read
};

class HistoryFile final : public GameArchive
{
public:
    explicit HistoryFile(QString path);
    HistoryFile(QString path, StorePlatform &platform);

    // games.txt in the per-user data folder (QStandardPaths::AppDataLocation).
    static QString defaultPath();

    const QString &path() const { return m_path; }

    // Adds one game. Throws StoreError, in words for the player, when it could not be added;
    // the file then holds what it held before.
    void append(const GameRecord &game);
    // A game that has just ended, appended with the time it ended.
    QString keep(const FinishedGame &game) override;

    // Every game that reads back whole. Never throws: what went wrong is in the note.
    HistoryRead read();

    // Removes every game. Throws StoreError.
    void clear();

    // A history larger than this is not read: 10,000 games take about 1 MB.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

private:
    QString m_path;
    StorePlatform &m_platform;
};
