#include "history/historystats.h"

#include "game/gamereview.h"
#include "game/solver.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <unordered_map>

namespace {

inline constexpr std::int64_t BestPossible = 46;

double average(const std::vector<std::int64_t> &steps)
{
    return double(std::accumulate(steps.begin(), steps.end(), std::int64_t(0))) / double(steps.size());
}

double median(std::vector<std::int64_t> steps)
{
    std::sort(steps.begin(), steps.end());
    const std::size_t n = steps.size();
    return n % 2 ? double(steps[n / 2]) : (double(steps[n / 2 - 1]) + double(steps[n / 2])) / 2;
}

std::vector<std::int64_t> wonSteps(const std::vector<GameRecord> &games)
{
    std::vector<std::int64_t> steps;
    for (const GameRecord &game : games)
        if (game.won)
            steps.push_back(game.steps());
    return steps;
}

QString stepsWord(std::int64_t n)
{
    return n == 1 ? QStringLiteral("1 step") : QStringLiteral("%1 steps").arg(n);
}

} // namespace

HistoryFigures figuresOf(const std::vector<GameRecord> &games)
{
    HistoryFigures figures;
    for (const GameRecord &game : games) {
        ++figures.played;
        if (!game.won) {
            ++figures.abandoned;
            continue;
        }
        ++figures.won;
        figures.bestSteps = std::min(figures.bestSteps.value_or(game.steps()), game.steps());
        figures.bestSeconds = std::min(figures.bestSeconds.value_or(game.seconds), game.seconds);
        figures.wonAtBest += game.steps() == BestPossible;
        figures.wonWithoutHelp += !game.helped();
    }
    const std::vector<std::int64_t> steps = wonSteps(games);
    if (!steps.empty()) {
        const std::vector<std::int64_t> last(steps.end() - std::min<std::ptrdiff_t>(10, std::ptrdiff_t(steps.size())),
                                             steps.end());
        figures.averageLast10 = average(last);
        figures.medianLast10 = median(last);
        figures.averageAll = average(steps);
        figures.medianAll = median(steps);
    }
    return figures;
}

std::vector<ChartPoint> chartOf(const std::vector<GameRecord> &games)
{
    std::vector<ChartPoint> points;
    std::int64_t window = 0;
    for (const GameRecord &game : games) {
        if (!game.won)
            continue;
        window += game.steps();
        if (points.size() >= std::size_t(MovingAverageSpan))
            window -= points[points.size() - MovingAverageSpan].steps;
        const std::size_t span = std::min(points.size() + 1, std::size_t(MovingAverageSpan));
        points.push_back({game.steps(), game.helped(), double(window) / double(span)});
    }
    return points;
}

QString trendSentence(const std::vector<GameRecord> &games)
{
    const std::vector<std::int64_t> steps = wonSteps(games);
    const auto n = std::ptrdiff_t(steps.size());
    if (n == 0)
        return games.empty() ? QStringLiteral("No games yet: your games appear here once you have played one.")
                             : QStringLiteral("No wins yet.");
    if (n == 1)
        return QStringLiteral("Your one win took %1.").arg(stepsWord(steps.front()));
    const auto rounded = [](double x) { return std::int64_t(std::llround(x)); };
    if (n < 2 * MovingAverageSpan) {
        const std::int64_t all = rounded(average(steps));
        return QStringLiteral("Your %1 wins averaged %2.").arg(n).arg(stepsWord(all));
    }
    const std::int64_t last = rounded(average({steps.end() - MovingAverageSpan, steps.end()}));
    const std::int64_t before = rounded(average({steps.end() - 2 * MovingAverageSpan, steps.end() - MovingAverageSpan}));
    const QString comparison = last == before ? QStringLiteral("the same as the %1 before").arg(MovingAverageSpan)
                               : last < before
                                   ? QStringLiteral("%1 fewer than the %2 before").arg(before - last).arg(MovingAverageSpan)
                                   : QStringLiteral("%1 more than the %2 before").arg(last - before).arg(MovingAverageSpan);
    return QStringLiteral("Your last %1 wins averaged %2, %3.").arg(MovingAverageSpan).arg(stepsWord(last), comparison);
}

QString LossSpot::text() const
{
    return QStringLiteral("Move %1 (%2 to %3): steps lost in %4 of %5 %6.")
        .arg(move)
        .arg(usual.from)
        .arg(usual.to)
        .arg(lostIn)
        .arg(reachedIn)
        .arg(reachedIn == 1 ? QStringLiteral("game") : QStringLiteral("games"));
}

std::vector<LossSpot> whereStepsGo(const std::vector<GameRecord> &games, const DistanceTable &table, int count,
                                   const std::function<bool()> &stopped)
{
    struct Tally
    {
        int lostIn = 0;
        int reachedIn = 0;
        int lastGame = -1;     // the game that last reached it, so each game counts once
        bool lostThisGame = false;
        std::map<int, int> moveNumbers;          // move number it lost steps at -> games
        std::map<std::pair<int, int>, int> lost; // losing move -> times
        const GameRecord *pathGame = nullptr;    // the latest game to lose steps there, and its move there
        int pathLength = 0;
    };
    std::unordered_map<int, Tally> tallies;
    int gameNumber = 0;
    for (const GameRecord &game : games) {
        if (!game.won)
            continue;
        if (stopped && stopped())
            return {};
        ++gameNumber;
        const GameReview review(game.moves, table);
        for (int k = 1; k <= review.moveCount(); ++k) {
            Tally &tally = tallies[positionIndex(review.positionAfter(k - 1))];
            if (tally.lastGame != gameNumber) {
                tally.lastGame = gameNumber;
                tally.lostThisGame = false;
                ++tally.reachedIn;
            }
            if (review.cost(k) > 0) {
                if (!tally.lostThisGame) {
                    ++tally.lostIn;
                    ++tally.moveNumbers[k];
                    tally.pathGame = &game;
                    tally.pathLength = k - 1;
                }
                tally.lostThisGame = true;
                ++tally.lost[{review.move(k).from, review.move(k).to}];
            }
        }
    }

    std::vector<std::pair<LossSpot, const Tally *>> ranked;
    for (const auto &[index, tally] : tallies) {
        if (tally.lostIn == 0)
            continue;
        const auto mostOf = [](const auto &counts) {
            return std::max_element(counts.begin(), counts.end(),
                                    [](const auto &a, const auto &b) { return a.second < b.second; })
                ->first;
        };
        const auto [from, to] = mostOf(tally.lost);
        ranked.push_back({{positionAt(index), mostOf(tally.moveNumbers), {from, to}, tally.lostIn, tally.reachedIn, {}, {}},
                          &tally});
    }
    // Most games first, then the largest share (a * d > c * b compares a/b with c/d without
    // rounding), then the earliest move, then the position's own number, so that the order
    // never depends on the hash table's.
    const auto before = [](const auto &x, const auto &y) {
        const LossSpot &a = x.first;
        const LossSpot &b = y.first;
        if (a.lostIn != b.lostIn)
            return a.lostIn > b.lostIn;
        if (std::int64_t(a.lostIn) * b.reachedIn != std::int64_t(b.lostIn) * a.reachedIn)
            return std::int64_t(a.lostIn) * b.reachedIn > std::int64_t(b.lostIn) * a.reachedIn;
        if (a.move != b.move)
            return a.move < b.move;
        return positionIndex(a.position) < positionIndex(b.position);
    };
    const std::size_t kept = std::min(ranked.size(), std::size_t(std::max(count, 0)));
    std::partial_sort(ranked.begin(), ranked.begin() + std::ptrdiff_t(kept), ranked.end(), before);
    std::vector<LossSpot> spots;
    for (std::size_t i = 0; i < kept; ++i) {
        auto &[spot, tally] = ranked[i];
        spot.best = table.nextMove(spot.position).value_or(BoardMove{});
        spot.path.assign(tally->pathGame->moves.begin(), tally->pathGame->moves.begin() + tally->pathLength);
        spots.push_back(std::move(spot));
    }
    return spots;
}

QString durationText(std::int64_t seconds)
{
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 h %2 min").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'));
}
