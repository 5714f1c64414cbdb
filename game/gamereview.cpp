#include "game/gamereview.h"

#include "game/solver.h"

#include <QStringList>

GameReview::GameReview(const std::vector<BoardMove> &moves, const DistanceTable &table)
    : m_moves(moves)
{
    Board board = Board::startPosition();
    m_startDistance = table.distance(board);
    m_positions.push_back(board);
    int before = m_startDistance;
    for (const BoardMove &move : moves) {
        executeMove(board, move.from, move.to);
        const int after = table.distance(board);
        m_costs.push_back(1 + after - before);
        m_positions.push_back(board);
        before = after;
    }
}

QString GameReview::moveText(int k) const
{
    const BoardMove played = move(k);
    const int lost = cost(k);
    const QString verdict = lost == 0 ? QStringLiteral("best")
                            : lost == 1 ? QStringLiteral("1 step lost")
                                        : QStringLiteral("%1 steps lost").arg(lost);
    return QStringLiteral("Move %1 of %2: %3 to %4, %5.")
        .arg(k)
        .arg(moveCount())
        .arg(played.from)
        .arg(played.to)
        .arg(verdict);
}

QString GameReview::summaryText() const
{
    const int steps = moveCount();
    QStringList costly;
    int lost = 0;
    for (int k = 1; k <= steps; ++k) {
        if (cost(k) > 0)
            costly << QString::number(k);
        lost += cost(k);
    }
    // A past game the player left: its steps lost say nothing of a best finish.
    if (!isGoal(positionAfter(steps)))
        return QStringLiteral("%1 steps, and the game was left before the goal.").arg(steps);
    if (lost == 0)
        return QStringLiteral("%1 steps, the best possible.").arg(steps);
    // "at move 3", "at moves 3 and 13", "at moves 3, 13, 17 and 40".
    QString where = costly.size() == 1 ? QStringLiteral("move ") + costly.front() : QStringLiteral("moves ");
    if (costly.size() > 1) {
        const QString last = costly.takeLast();
        where += costly.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    }
    return QStringLiteral("%1 steps, %2 more than the best. Steps were lost at %3.").arg(steps).arg(lost).arg(where);
}
