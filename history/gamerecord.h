// One game of the player's history as it is kept on disk: one line of text a game, so that
// a game is added by appending and a damaged line costs that game alone.
//
// A line reads "v1 2026-12-11T08:34:16Z won 52 131 0 1 2 hgfe... 3fa2": the version, when
// the game ended (UTC), won or left, its steps, the seconds it took, the hints, watches and
// undos used, its moves and a checksum of all that comes before it. A move is one letter,
// the cell its piece came from ('a' is cell 1, 'q' cell 17): it always goes into the empty
// cell, so the board says where to, and a game of 60 moves costs 60 bytes.
#pragma once

#include "game/board.h"

#include <QByteArray>
#include <QDateTime>

#include <cstdint>
#include <optional>
#include <vector>

struct GameRecord
{
    QDateTime ended;             // UTC, to the second
    std::int64_t seconds = 0;    // the time the clock counted during the game
    bool won = false;            // false: left for a new game or by quitting
    int hints = 0;               // hints shown
    int watches = 0;             // times the game was watched finishing itself
    int undos = 0;               // moves taken back
    std::vector<BoardMove> moves; // every move from the start position, undos included

    std::int64_t steps() const { return std::int64_t(moves.size()); }
    bool helped() const { return hints > 0 || watches > 0 || undos > 0; }

    friend bool operator==(const GameRecord &, const GameRecord &) = default;
};

namespace GameRecords {

// The line of a game, newline included. Only games with at least one move are kept.
QByteArray encode(const GameRecord &game);

// The game a line holds (with or without its newline); nothing when the line is damaged:
// a wrong checksum, a field out of range, a move the rule does not allow, a won game that
// does not end at the goal or a left one that does.
std::optional<GameRecord> decode(QByteArrayView line);

// The board after the first count moves of a game.
Board positionAfter(const std::vector<BoardMove> &moves, std::size_t count);

} // namespace GameRecords
