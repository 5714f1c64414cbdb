#include "history/gamerecorder.h"

#include "history/historyfile.h"
#include "topten/settingsstore.h"

void GameRecorder::started()
{
    m_open = true;
    m_seconds = 0;
    m_hints = m_watches = m_undos = 0;
}

QString GameRecorder::ended(bool won, const std::vector<BoardMove> &moves)
{
    if (!m_open || moves.empty() || !m_file)
        return QString();
    m_open = false;
    GameRecord game;
    game.ended = QDateTime::currentDateTimeUtc();
    game.ended.setTime(QTime(game.ended.time().hour(), game.ended.time().minute(), game.ended.time().second()));
    game.seconds = m_seconds;
    game.won = won;
    game.hints = m_hints;
    game.watches = m_watches;
    game.undos = m_undos;
    game.moves = moves;
    try {
        m_file->append(game);
    } catch (const StoreError &failure) {
        return QString::fromUtf8(failure.what());
    }
    return QString();
}
