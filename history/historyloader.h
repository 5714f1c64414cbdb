// The first and every later read of the history, off the window's thread: the file is read
// and what the "Your games" window shows is worked out on a thread of its own, and comes
// back in two parts as it is done: the games with their figures, chart and trend first,
// then where the steps go, which needs the distance table (built here if the game has none
// yet).
#pragma once

#include "history/historyfile.h"
#include "history/historystats.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

class DistanceTable;

struct HistoryView
{
    HistoryRead read;
    HistoryFigures figures;
    std::vector<ChartPoint> chart;
    QString trend;
};

class HistoryLoader final : public QObject
{
    Q_OBJECT

public:
    explicit HistoryLoader(QString path, QObject *parent = nullptr);
    ~HistoryLoader() override; // stops a read under way and waits for it

    // Starts a read; one under way is finished first. table may be null.
    void start(const DistanceTable *table);

    // What the last finished read found; empty until loaded().
    const HistoryView &view() const { return *m_view; }
    std::shared_ptr<const HistoryView> sharedView() const { return m_view; }
    const std::vector<LossSpot> &spots() const { return m_spots; }

signals:
    void loaded();
    void spotsReady();

private:
    QString m_path;
    std::shared_ptr<const HistoryView> m_view = std::make_shared<HistoryView>();
    std::vector<LossSpot> m_spots;
    std::thread m_worker;
    std::atomic<bool> m_stop{false}; // the window is closing: no need to finish
};
