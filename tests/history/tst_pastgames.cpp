// What the player picks in "Your games" is shown on the board once the window has closed: a
// won game in the review, any game replayed move by move as watching plays, a position
// where steps were lost with the best move marked. A game in progress is left only when
// the player says so.
#include "controllerrig.h"
#include "fixturegames.h"
#include "shortestpath.h"

#include <QTest>

namespace {

QString cellsOf(const Board &board)
{
    RecordingView view;
    for (int k = FirstCell; k <= LastCell; ++k)
        view.showCell(k, board[k], false);
    return view.cellsText();
}

} // namespace

class TestPastGames : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_rig.emplace();
        m_rig->game.start();
        sharedDistanceTable(); // built here, before any test waits on the game's own
    }

    void aWonGameOpensInTheReviewAtItsEnd()
    {
        const std::vector<BoardMove> moves = Fixture::wonWithDetoursAt({7});
        pickInWindow([&] { m_rig->game.pickPastGame(moves, false); });
        GameController &game = m_rig->game;
        QTRY_VERIFY_WITH_TIMEOUT(game.reviewing(), 20000);
        QCOMPARE(game.reviewMove(), 48);
        QVERIFY(m_rig->view.review.text.contains(QStringLiteral("48 steps, 2 more than the best. Steps were lost at move 7.")));
        QCOMPARE(m_rig->view.cellsText(), cellsOf(Board::goalPosition()));
        game.reviewGo(6);
        QCOMPARE(m_rig->view.cellsText(), cellsOf(GameRecords::positionAfter(moves, 6)));
        game.leaveReview();
        QVERIFY(!m_rig->view.noteShown);
    }

    // Replayed from the start, a move a tick; a left game ends by saying it was left, and
    // any key or click hands the board back.
    void aLeftGameIsReplayedMoveByMove()
    {
        const std::vector<BoardMove> moves = Fixture::leftAfter(3);
        pickInWindow([&] { m_rig->game.pickPastGame(moves, true); });
        GameController &game = m_rig->game;
        QTRY_VERIFY_WITH_TIMEOUT(game.reviewing(), 20000);
        QVERIFY(game.watching());
        QCOMPARE(game.reviewMove(), 0);
        QCOMPARE(m_rig->view.cellsText(), cellsOf(Board::startPosition()));
        for (int k = 1; k <= 3; ++k) {
            game.watchTick();
            QCOMPARE(game.reviewMove(), k);
            QCOMPARE(m_rig->view.cellsText(), cellsOf(GameRecords::positionAfter(moves, std::size_t(k))));
        }
        QVERIFY(m_rig->view.review.text.contains(QStringLiteral("the game was left before the goal")));
        game.watchTick();
        QVERIFY(!game.watching()); // the end stays shown
        QVERIFY(game.reviewing());

        pickInWindow([&] { m_rig->game.pickPastGame(moves, true); });
        QTRY_VERIFY_WITH_TIMEOUT(game.watching(), 20000);
        game.stopWatching(); // what any key or click does
        QVERIFY(!game.reviewing());
        QVERIFY(!m_rig->view.noteShown);
    }

    void aPositionShowsItsBestMove()
    {
        const std::vector<BoardMove> moves = Fixture::wonWithDetoursAt();
        const std::vector<BoardMove> there(moves.begin(), moves.begin() + 12);
        pickInWindow([&] { m_rig->game.pickPosition(there, moves[12], QStringLiteral("Move 13: the best move here.")); });
        QTRY_VERIFY_WITH_TIMEOUT(m_rig->game.reviewing(), 20000);
        QCOMPARE(m_rig->view.cellsText(), cellsOf(GameRecords::positionAfter(moves, 12)));
        QCOMPARE(m_rig->view.review.from, moves[12].from);
        QCOMPARE(m_rig->view.review.to, moves[12].to);
        QCOMPARE(m_rig->view.review.text, QStringLiteral("Move 13: the best move here."));
    }

    void aGameInProgressIsLeftOnlyOnYes()
    {
        GameController &game = m_rig->game;
        game.newGameRequested();
        for (const BoardMove &move : Fixture::leftAfter(2)) {
            game.cellClicked(move.from);
            game.cellClicked(move.to);
        }
        const QString board = m_rig->view.cellsText();
        m_rig->dialogs.answers = {Answer::No};
        pickInWindow([&] { game.pickPastGame(Fixture::wonWithDetoursAt(), false); });
        QTest::qWait(50);
        QVERIFY(!game.gameOver());
        QVERIFY(!game.reviewing());
        QCOMPARE(m_rig->view.cellsText(), board);

        m_rig->dialogs.answers = {Answer::Yes};
        pickInWindow([&] { game.pickPastGame(Fixture::wonWithDetoursAt(), false); });
        QVERIFY(game.gameOver());
        QVERIFY(!game.clockRunning());
        QTRY_VERIFY_WITH_TIMEOUT(game.reviewing(), 20000);
        QCOMPARE(m_rig->dialogs.calls.back().title, QStringLiteral("Your games"));
    }

    void closedWithoutAPickChangesNothing()
    {
        m_rig->game.yourGamesRequested();
        QVERIFY(m_rig->view.events.contains(QStringLiteral("modal YourGamesWindow")));
        QTest::qWait(20);
        QVERIFY(!m_rig->game.reviewing());
        QVERIFY(m_rig->dialogs.calls.empty());
    }

private:
    // Opens the window; pick runs while it is open, as the window's buttons do.
    void pickInWindow(const std::function<void()> &pick)
    {
        m_rig->view.onModal = [pick](WindowId form) {
            if (form == WindowId::YourGames)
                pick();
        };
        m_rig->game.yourGamesRequested();
        m_rig->view.onModal = nullptr;
    }

    std::optional<ControllerRig> m_rig;
};

QTEST_GUILESS_MAIN(TestPastGames)
#include "tst_pastgames.moc"
