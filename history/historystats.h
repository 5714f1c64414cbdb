// What the "Your games" window shows of a history, worked out without any window: the
// figures, the chart's points and the sentence a screen reader hears of them, and where
// the steps go (the positions at which the player most often leaves a shortest path).
#pragma once

#include "history/gamerecord.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class DistanceTable;

struct HistoryFigures
{
    int played = 0;
    int won = 0;
    int abandoned = 0;
    std::optional<std::int64_t> bestSteps;   // of won games
    std::optional<std::int64_t> bestSeconds; // of won games
    // Steps of won games: the last ten, and all of them.
    std::optional<double> averageLast10;
    std::optional<double> medianLast10;
    std::optional<double> averageAll;
    std::optional<double> medianAll;
    int wonAtBest = 0;       // won in 46 steps
    int wonWithoutHelp = 0;  // no hint, no watching, no undo
};

HistoryFigures figuresOf(const std::vector<GameRecord> &games);

// One point of the chart a won game, in the order they were played.
struct ChartPoint
{
    std::int64_t steps = 0;
    bool helped = false;
    double movingAverage = 0; // of the steps of this win and up to nine before it
};
std::vector<ChartPoint> chartOf(const std::vector<GameRecord> &games);
inline constexpr int MovingAverageSpan = 10;

// "Your last 10 wins averaged 51 steps, 4 fewer than the 10 before."
QString trendSentence(const std::vector<GameRecord> &games);

// A position where the player left a shortest path in some of the won games that reached it.
struct LossSpot
{
    Board position;        // before the move
    int move = 0;          // the move number at which steps were most often lost here
    BoardMove usual;       // the move the player most often made there when it lost steps
    int lostIn = 0;        // won games in which a move from here lost steps
    int reachedIn = 0;     // won games that reached it
    BoardMove best;        // a move of a shortest path from here
    std::vector<BoardMove> path; // the moves up to here of the latest game that lost steps here
    QString text() const;  // "Move 13 (9 to 6): steps lost in 4 of 7 games."
};

// The positions where steps were lost in most games (then in the largest share of the games
// that reached them, then the earliest), at most count of them, measured by the reviews of
// the won games against the distance table.
// stopped, when given, is asked between games: true gives up (the window closed).
std::vector<LossSpot> whereStepsGo(const std::vector<GameRecord> &games, const DistanceTable &table, int count = 5,
                                   const std::function<bool()> &stopped = {});

// A duration for the player: "42 s", "3 min 05 s", "1 h 02 min".
QString durationText(std::int64_t seconds);
