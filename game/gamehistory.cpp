#include "game/gamehistory.h"

void GameHistory::played(const BoardMove &move)
{
    m_standing.push_back(static_cast<int>(m_moves.size()));
    m_moves.push_back(move);
}

std::optional<BoardMove> GameHistory::lastToUndo() const
{
    if (m_standing.empty())
        return std::nullopt;
    return m_moves[static_cast<std::size_t>(m_standing.back())];
}

void GameHistory::undone(const BoardMove &reverse)
{
    if (!m_standing.empty())
        m_standing.pop_back();
    m_moves.push_back(reverse);
}

void GameHistory::clear()
{
    m_moves.clear();
    m_standing.clear();
}
