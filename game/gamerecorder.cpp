#include "game/gamerecorder.h"

void GameRecorder::started()
{
    m_open = true;
    m_game = FinishedGame{};
}

QString GameRecorder::ended(bool won, const std::vector<BoardMove> &moves)
{
    if (!m_open || moves.empty() || !m_archive)
        return QString();
    m_open = false;
    m_game.won = won;
    m_game.moves = moves;
    return m_archive->keep(m_game);
}
