// Review and watching in the main window's logic: recorded games measured against the best
// move by move, the review's steps through a won game (nothing stored, the clock still,
// the board deaf to clicks), and the game playing its own best finish as help.
#include "shortestpath.h"
#include "controllerrig.h"

#include "game/gamereview.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using Moves = std::vector<BoardMove>;

Board after(const Moves &moves)
{
    Board board = Board::startPosition();
    for (const BoardMove &move : moves)
        executeMove(board, move.from, move.to);
    return board;
}

// The rest of a best game from where moves leave the board.
void finishBest(Moves &moves)
{
    for (const auto &[from, to] : solveShortest(after(moves)))
        moves.push_back({from, to});
}

// The first legal move from here that takes the goal one move further away: a detour
// that costs two steps.
BoardMove detourFrom(const Board &board)
{
    const DistanceTable &table = sharedDistanceTable();
    const int before = table.distance(board);
    for (int from = FirstCell; from <= LastCell; ++from)
        for (int to = FirstCell; to <= LastCell; ++to)
            if (findMove(board, from, to) != MoveKind::None) {
                Board next = board;
                executeMove(next, from, to);
                if (table.distance(next) == before + 1)
                    return {from, to};
            }
    return {};
}

// A best game with a two-step detour before each of the given moves (1-based).
Moves gameWithDetoursAt(const QList<int> &detours)
{
    Moves moves;
    const auto best = [&moves] {
        const auto rest = solveShortest(after(moves));
        return BoardMove{rest.front().first, rest.front().second};
    };
    while (!isGoal(after(moves))) {
        const int next = int(moves.size()) + 1;
        moves.push_back(detours.contains(next) ? detourFrom(after(moves)) : best());
    }
    return moves;
}

// A best game in which move k is taken back at once: the move itself is best, its undo
// (the piece going back the way it came) costs two steps.
Moves gameWithUndoAfter(int k)
{
    Moves moves;
    for (const auto &[from, to] : solveShortest(Board::startPosition())) {
        moves.push_back({from, to});
        if (int(moves.size()) == k)
            break;
    }
    moves.push_back({moves.back().to, moves.back().from});
    finishBest(moves);
    return moves;
}

struct Game : ControllerRig
{
    Game() { game.start(); }

    void play(const Moves &moves)
    {
        for (const BoardMove &move : moves) {
            game.cellClicked(move.from);
            game.cellClicked(move.to);
        }
    }

    void waitForTable()
    {
        QSignalSpy ready(&game.solver(), &Solver::ready);
        if (!game.solver().table())
            QVERIFY(ready.wait(30000));
    }
};

} // namespace

Q_DECLARE_METATYPE(Moves)

class TestReview final : public QObject
{
    Q_OBJECT

private slots:
    void verdicts_data()
    {
        QTest::addColumn<Moves>("moves");
        QTest::addColumn<QStringList>("expected"); // "k|text" for the moves looked at
        QTest::addColumn<QString>("summary");

        Moves best;
        finishBest(best);
        QTest::newRow("a best game") << best
                                     << QStringList{QStringLiteral("1|Move 1 of 46: %1 to %2, best.")
                                                        .arg(best[0].from).arg(best[0].to)}
                                     << "46 steps, the best possible.";

        const Moves detour = gameWithDetoursAt({13});
        QTest::newRow("a detour of 2 at move 13")
            << detour
            << QStringList{QStringLiteral("12|Move 12 of 48: %1 to %2, best.").arg(detour[11].from).arg(detour[11].to),
                           QStringLiteral("13|Move 13 of 48: %1 to %2, 2 steps lost.").arg(detour[12].from).arg(detour[12].to),
                           QStringLiteral("14|Move 14 of 48: %1 to %2, best.").arg(detour[13].from).arg(detour[13].to)}
            << "48 steps, 2 more than the best. Steps were lost at move 13.";

        const Moves undo = gameWithUndoAfter(13);
        QTest::newRow("a move taken back")
            << undo
            << QStringList{QStringLiteral("13|Move 13 of 48: %1 to %2, best.").arg(undo[12].from).arg(undo[12].to),
                           QStringLiteral("14|Move 14 of 48: %1 to %2, 2 steps lost.").arg(undo[12].to).arg(undo[12].from)}
            << "48 steps, 2 more than the best. Steps were lost at move 14.";

        QTest::newRow("two detours") << gameWithDetoursAt({3, 13}) << QStringList{}
                                     << "50 steps, 4 more than the best. Steps were lost at moves 3 and 13.";
        QTest::newRow("four detours") << gameWithDetoursAt({3, 13, 17, 40}) << QStringList{}
                                      << "54 steps, 8 more than the best. Steps were lost at moves 3, 13, 17 and 40.";
    }

    void verdicts()
    {
        QFETCH(Moves, moves);
        QFETCH(QStringList, expected);
        QFETCH(QString, summary);

        QVERIFY(isGoal(after(moves)));
        const GameReview review(moves, sharedDistanceTable());
        QCOMPARE(review.moveCount(), int(moves.size()));
        for (const QString &line : expected) {
            const int k = line.section(QLatin1Char('|'), 0, 0).toInt();
            QCOMPARE(review.moveText(k), line.section(QLatin1Char('|'), 1));
        }
        QCOMPARE(review.summaryText(), summary);

        // The costs are the steps beyond the best, and each position is the game's own.
        int lost = 0;
        for (int k = 1; k <= review.moveCount(); ++k) {
            QVERIFY(review.cost(k) == 0 || review.cost(k) == 2);
            lost += review.cost(k);
            QCOMPARE(review.positionAfter(k), after(Moves(moves.begin(), moves.begin() + k)));
        }
        QCOMPARE(lost, review.moveCount() - 46);
        QCOMPARE(review.positionAfter(0), Board::startPosition());
    }

    void aSingleStepLostReadsInTheSingular()
    {
        // From the start, moving a piece away and straight back on its first move is two
        // steps; a move that changes nothing of the distance costs one.
        const DistanceTable &table = sharedDistanceTable();
        Moves moves;
        finishBest(moves);
        const GameReview best(moves, table);
        for (int k = 1; k <= best.moveCount(); ++k)
            QVERIFY(best.moveText(k).endsWith(QStringLiteral(", best.")));
        // Find a position and a move that keeps the distance: it costs exactly one step.
        Board board = Board::startPosition();
        for (const BoardMove &move : moves) {
            for (int from = FirstCell; from <= LastCell; ++from)
                for (int to = FirstCell; to <= LastCell; ++to) {
                    if (findMove(board, from, to) == MoveKind::None)
                        continue;
                    Board next = board;
                    executeMove(next, from, to);
                    if (table.distance(next) != table.distance(board))
                        continue;
                    Moves played(moves.begin(), moves.begin() + (&move - moves.data()));
                    played.push_back({from, to});
                    const GameReview review(played, table);
                    QVERIFY2(review.moveText(review.moveCount()).endsWith(QStringLiteral(", 1 step lost.")),
                             qPrintable(review.moveText(review.moveCount())));
                    return;
                }
            executeMove(board, move.from, move.to);
        }
        QSKIP("no move on a best path keeps the distance"); // parity of the board forbids it
    }

    void everyMoveIsKeptUndosIncluded()
    {
        Game g;
        g.game.newGameRequested();
        g.play({{8, 9}, {5, 8}});
        g.game.undoRequested();
        QCOMPARE(g.game.moves(), (Moves{{8, 9}, {5, 8}, {8, 5}}));
        g.game.cellClicked(6);
        g.game.cellClicked(5); // not a move: nothing kept
        QCOMPARE(g.game.moves().size(), std::size_t(3));
        g.dialogs.answers = {Answer::Yes}; // the restart question
        g.game.newGameRequested();
        QVERIFY(g.game.moves().empty());
    }

    void reviewStepsThroughAWonGame()
    {
        Game g;
        g.game.newGameRequested();
        QVERIFY(!g.game.canReview()); // not before a win
        const Moves moves = gameWithDetoursAt({13});
        g.dialogs.inputAnswers = {QStringLiteral("Pat")};
        g.play(moves);
        QVERIFY(g.game.gameOver());
        QVERIFY(g.game.canReview());
        const QMap<QString, QString> stored = g.store.values;
        QVERIFY(!stored.isEmpty()); // the win entered the Black List
        const QString clock = g.view.timeLabel;
        const QString finalPicture = g.view.cellsText();

        g.game.reviewRequested();
        g.waitForTable();
        QVERIFY(g.game.reviewing());
        QCOMPARE(g.game.reviewMove(), 48);
        QCOMPARE(g.view.review.text,
                 QStringLiteral("Move 48 of 48: %1 to %2, best.\n48 steps, 2 more than the best. "
                                "Steps were lost at move 13.").arg(moves[47].from).arg(moves[47].to));
        QCOMPARE((std::pair{g.view.review.from, g.view.review.to}), (std::pair{moves[47].from, moves[47].to}));

        for (int i = 0; i < 35; ++i)
            g.game.reviewStep(-1);
        QCOMPARE(g.game.reviewMove(), 13);
        QCOMPARE(g.view.review.text,
                 QStringLiteral("Move 13 of 48: %1 to %2, 2 steps lost.").arg(moves[12].from).arg(moves[12].to));
        RecordingView expected;
        const Board at13 = after(Moves(moves.begin(), moves.begin() + 13));
        for (int k = FirstCell; k <= LastCell; ++k)
            expected.showCell(k, at13[k], false);
        QCOMPARE(g.view.cellsText(), expected.cellsText());

        // Clicks on the cells do nothing while it lasts, and nothing moves on its own.
        const std::size_t movesBefore = g.game.moves().size();
        g.game.cellClicked(moves[13].from);
        g.game.cellClicked(moves[13].to);
        QCOMPARE(g.game.moves().size(), movesBefore);
        QCOMPARE(g.view.cellsText(), expected.cellsText());

        g.game.reviewGo(0);
        QCOMPARE(g.view.review.from, 0);
        QCOMPARE(g.view.cellsText(), QStringLiteral("bbbbbbbb . tttttttt"));
        g.game.reviewStep(-1); // no further than the start
        QCOMPARE(g.game.reviewMove(), 0);
        g.game.reviewGo(48);
        g.game.reviewStep(1); // no further than the end
        QCOMPARE(g.game.reviewMove(), 48);

        g.game.leaveReview();
        QVERIFY(!g.game.reviewing());
        QVERIFY(!g.view.noteShown);
        QCOMPARE(g.view.cellsText(), finalPicture);
        // Nothing stored, the clock still.
        QCOMPARE(g.store.values, stored);
        QVERIFY(!g.game.clockRunning());
        QCOMPARE(g.view.timeLabel, clock);

        // R again leaves it too, and any window that opens does.
        g.game.reviewRequested();
        QVERIFY(g.game.reviewing());
        g.game.reviewRequested();
        QVERIFY(!g.game.reviewing());
        g.game.reviewRequested();
        g.game.instructionsRequested();
        QVERIFY(!g.game.reviewing());
        QCOMPARE(g.view.cellsText(), finalPicture);

        // A new game ends what there was to review.
        g.game.newGameRequested();
        QVERIFY(!g.game.canReview());
        g.game.reviewRequested();
        QVERIFY(!g.game.reviewing());
    }

    void watchingFromTheStartWinsInTheBestWayOffTheBlackList()
    {
        Game g;
        g.dialogs.answers = {Answer::Yes}; // the hint's question
        g.game.watchRequested();              // before the first game: starts one
        QVERIFY(g.game.watching());
        QVERIFY(g.game.assisted());
        QVERIFY(g.view.noteShown); // the player is told what is going on
        g.waitForTable();
        for (int tick = 0; tick < 60 && g.game.watching(); ++tick)
            g.game.watchTick();
        QVERIFY(!g.game.watching());
        QVERIFY(!g.view.noteShown);
        QVERIFY(g.game.gameOver());
        QCOMPARE(g.game.steps(), 46);
        QCOMPARE(g.view.results.size(), std::size_t(1));
        QVERIFY(g.store.values.isEmpty());          // kept off the Black List
        QVERIFY(!g.view.events.contains(QStringLiteral("modal BlackListWindow")));
        QCOMPARE(g.dialogs.calls.size(), std::size_t(1)); // asked once, as for a hint
    }

    void watchingIsHelpAndAClickHandsTheBoardBack()
    {
        Game g;
        g.game.newGameRequested();
        g.play({{8, 9}});
        g.dialogs.answers = {Answer::No};
        g.game.watchRequested();
        QVERIFY(!g.game.watching()); // no help without a yes
        QVERIFY(!g.game.assisted());

        g.dialogs.answers = {Answer::Yes};
        g.game.watchRequested();
        QVERIFY(g.game.watching());
        g.waitForTable();
        g.game.watchTick();
        g.game.watchTick();
        QCOMPARE(g.game.steps(), 3);
        QCOMPARE(g.game.moves().size(), std::size_t(3));

        const Board before = g.game.board();
        g.game.cellClicked(1); // any click stops it, and does nothing else
        QVERIFY(!g.game.watching());
        QCOMPARE(g.game.selectedCell(), 0);
        QCOMPARE(g.game.board(), before);

        g.game.watchRequested(); // asked once a game
        QCOMPARE(g.dialogs.calls.size(), std::size_t(2));
        g.game.hintRequested();  // a key stops it too
        QVERIFY(!g.game.watching());
    }

    void watchingAfterAWinAsksBeforeANewGame_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("yes: a new game, watched") << Answer::Yes;
        QTest::newRow("no: the won game stays") << Answer::No;
        QTest::newRow("the box closed: the won game stays") << Answer::Cancel;
    }

    void watchingAfterAWinAsksBeforeANewGame()
    {
        QFETCH(Answer, answer);
        Game g;
        g.game.newGameRequested();
        Moves best;
        finishBest(best);
        g.dialogs.inputAnswers = {QStringLiteral("Pat")};
        g.play(best);
        QVERIFY(g.game.gameOver());
        const Board won = g.game.board();
        const std::vector<BoardMove> moves = g.game.moves();

        // The board as it is when the question comes: the question decides what follows.
        Board shownAtQuestion;
        g.dialogs.answers = {answer};
        g.dialogs.onMessage = [&] { shownAtQuestion = g.game.board(); };
        g.game.watchRequested();
        QCOMPARE(shownAtQuestion, won);
        QCOMPARE(g.dialogs.calls.back().kind, QStringLiteral("showMessage"));
        if (answer == Answer::Yes) {
            QVERIFY(!g.game.gameOver());
            QVERIFY(g.game.watching());
            QVERIFY(g.game.assisted());
            QCOMPARE(g.game.board(), Board::startPosition());
            g.game.stopWatching();
            return;
        }
        QVERIFY(!g.game.watching());
        QVERIFY(g.game.gameOver());
        QCOMPARE(g.game.board(), won);
        QCOMPARE(g.game.moves().size(), moves.size());
        QVERIFY(g.game.canReview()); // the won game can still be walked through
    }
};

QTEST_GUILESS_MAIN(TestReview)
#include "tst_review.moc"
