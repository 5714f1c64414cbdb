#include "history/historyloader.h"

#include "game/solver.h"

#include <optional>

HistoryLoader::HistoryLoader(QString path, QObject *parent)
    : QObject(parent)
    , m_path(std::move(path))
{
}

HistoryLoader::~HistoryLoader()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

void HistoryLoader::start(const DistanceTable *table)
{
    if (m_worker.joinable())
        m_worker.join();
    m_worker = std::thread([this, table, path = m_path] {
        auto view = std::make_shared<HistoryView>();
        view->read = HistoryFile(path).read();
        const std::vector<GameRecord> &games = view->read.games;
        view->figures = figuresOf(games);
        view->chart = chartOf(games);
        view->trend = trendSentence(games);
        // Queued to this object's thread; the destructor waits for this thread, so this
        // object is there to post to, and a post it does not live to see is dropped.
        QMetaObject::invokeMethod(
            this,
            [this, view] {
                m_view = view;
                m_spots.clear();
                emit loaded();
            },
            Qt::QueuedConnection);

        if (m_stop)
            return;
        std::optional<DistanceTable> own;
        const DistanceTable &distances = table ? *table : own.emplace(DistanceTable::build());
        auto spots = std::make_shared<std::vector<LossSpot>>(
            whereStepsGo(games, distances, 5, [this] { return m_stop.load(); }));
        if (m_stop)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, spots] {
                m_spots = std::move(*spots);
                emit spotsReady();
            },
            Qt::QueuedConnection);
    });
}
