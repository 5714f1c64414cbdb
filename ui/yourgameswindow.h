// "Your games": the player's history. The figures, a chart of the steps of every win with
// the best possible and a moving average, where the steps go, and the list of past games,
// each of which the player can review or replay on the board. The history is first read
// when the window opens, off the window's thread; what it holds shows as it is worked out.
// The window works the history out through the core (history/) and hands what the player
// picks to the game, which shows it once the window has closed.
#pragma once

#include "history/historyloader.h"

#include <QDialog>

#include <memory>

class Dialogs;
class GameController;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class PastGamesModel;
class StepsChart;

class YourGamesWindow final : public QDialog
{
    Q_OBJECT

public:
    YourGamesWindow(GameController &game, Dialogs &dialogs, const QString &historyPath, QWidget *owner);
    void setVisible(bool visible) override;

    // What the figures show, each "caption: value", in the order shown; for tests and a
    // screen reader's summary.
    QStringList figureTexts() const;
    QLabel *trendLabel() const { return m_trend; }
    QListWidget *stepsList() const { return m_steps; }
    QTableView *gamesTable() const { return m_table; }
    QPushButton *reviewButton() const { return m_review; }
    QPushButton *replayButton() const { return m_replay; }
    QPushButton *clearButton() const { return m_clear; }
    HistoryLoader &loader() { return m_loader; }

private:
    void showLoaded();
    void showSpots();
    void pickSpot();
    void pickGame(bool replay);
    void clearHistory();
    void currentGameChanged();
    const GameRecord *currentGame() const;

    GameController &m_game;
    Dialogs &m_dialogs;
    QString m_path;
    HistoryLoader m_loader;
    QLabel *m_status = nullptr;
    std::vector<QLabel *> m_figures;
    QLabel *m_trend = nullptr;
    StepsChart *m_chart = nullptr;
    QListWidget *m_steps = nullptr;
    QTableView *m_table = nullptr;
    PastGamesModel *m_model = nullptr;
    QPushButton *m_review = nullptr;
    QPushButton *m_replay = nullptr;
    QPushButton *m_clear = nullptr;
};
