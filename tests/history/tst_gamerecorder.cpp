// The game's end goes into the history: a win with its help counted, a game left for a new
// one or by quitting, and nothing for a game with no move or for the same game twice.
#include "controllerrig.h"
#include "fixturegames.h"
#include "shortestpath.h"

#include "history/historyfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestGameRecorder : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        m_history.emplace(m_dir->filePath(QStringLiteral("games.txt")));
        m_rig.emplace();
        m_rig->game.recorder.setArchive(&*m_history);
        // The test ticks the clock itself: a real second must not add to it while a test
        // waits for the distance table, which can take longer than that on a slow build.
        m_rig->game.setClockInterval(24 * 60 * 60 * 1000);
        m_rig->game.start();
    }

    void aWinWithAnUndoAndAHint()
    {
        GameController &game = m_rig->game;
        game.newGameRequested();
        play(game, Fixture::leftAfter(1));
        game.undoRequested();
        m_rig->dialogs.answers.push_back(Answer::Yes); // the hint's question
        game.hintRequested(); // shown once the distance table is there
        QTRY_COMPARE_WITH_TIMEOUT(m_rig->view.hints.size(), 1u, 20000);
        for (int second = 0; second < 75; ++second)
            game.clockTicked();
        for (const auto &[from, to] : solveShortest(game.board()))
            play(game, {{from, to}});
        QVERIFY(game.gameOver());

        const HistoryRead read = m_history->read();
        QCOMPARE(read.games.size(), 1u);
        const GameRecord &won = read.games.front();
        QVERIFY(won.won);
        QCOMPARE(won.steps(), game.steps());
        QVERIFY(won.moves == game.moves());
        QCOMPARE(won.undos, 1);
        QCOMPARE(won.hints, 1);
        QCOMPARE(won.watches, 0);
        QCOMPARE(won.seconds, 75);
        QVERIFY(qAbs(won.ended.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    }

    void leftGamesAreKeptOnceEach()
    {
        GameController &game = m_rig->game;
        m_rig->dialogs.answers = {Answer::Yes, Answer::Yes, Answer::Ok};
        game.newGameRequested();
        game.newGameRequested(); // no move yet: nothing to keep
        play(game, Fixture::leftAfter(3));
        game.newGameRequested(); // left for a new game
        play(game, Fixture::leftAfter(2));
        game.quitRequested(); // left by quitting
        game.mainWindowClosed(); // the window closes after: the same game is not kept again
        game.recordLeft();

        const HistoryRead read = m_history->read();
        QCOMPARE(read.games.size(), 2u);
        QVERIFY(!read.games[0].won && !read.games[1].won);
        QCOMPARE(read.games[0].steps(), 3);
        QCOMPARE(read.games[1].steps(), 2);
    }

    // A history that cannot take the game: the player is told, in the history's words.
    void aGameThatCannotBeKeptIsTold()
    {
        QVERIFY(QDir().mkpath(m_history->path())); // a folder where the file belongs
        GameController &game = m_rig->game;
        game.newGameRequested();
        play(game, Fixture::leftAfter(2));
        m_rig->dialogs.answers.push_back(Answer::Yes);
        game.newGameRequested();
        const auto &calls = m_rig->dialogs.calls;
        QVERIFY(!calls.empty());
        QCOMPARE(calls.back().title, QStringLiteral("Your games"));
        QVERIFY2(calls.back().prompt.contains(QStringLiteral("could not be added")), qPrintable(calls.back().prompt));
    }

private:
    static void play(GameController &game, const std::vector<BoardMove> &moves)
    {
        for (const BoardMove &move : moves) {
            game.cellClicked(move.from);
            game.cellClicked(move.to);
        }
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<HistoryFile> m_history;
    std::optional<ControllerRig> m_rig;
};

QTEST_GUILESS_MAIN(TestGameRecorder)
#include "tst_gamerecorder.moc"
