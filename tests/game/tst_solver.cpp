// The distance table behind the hint: how positions are numbered, that every distance is
// the true fewest number of moves, that each hinted move is a move of the game and brings
// the goal one move nearer, and that the table is built away from the caller's thread.
#include "shortestpath.h"
#include "game/solver.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <thread>

namespace {

// "bbbbbbbb . tttttttt": cells 1..17, 'b' ball, 't' tile, '.' empty; spaces ignored.
Board boardFromText(const QString &text)
{
    Board board;
    int cell = FirstCell;
    for (QChar c : text) {
        if (c == u' ')
            continue;
        board.set(cell++, c == u'b' ? Piece::Ball : c == u't' ? Piece::Tile : Piece::Empty);
    }
    return board;
}

// Where a seeded walk of random moves from the start ends.
Board randomWalk(quint32 seed, int length)
{
    QRandomGenerator random(seed);
    Board board = Board::startPosition();
    for (int i = 0; i < length; ++i) {
        const std::vector<BoardMove> moves = legalMoves(board);
        const BoardMove move = moves[random.bounded(static_cast<quint32>(moves.size()))];
        executeMove(board, move.from, move.to);
    }
    return board;
}

} // namespace

class TestSolver final : public QObject
{
    Q_OBJECT

private slots:
    void positionNumbersRunThroughEveryPositionOnce()
    {
        for (int i = 0; i < PositionCount; ++i) {
            const Board board = positionAt(i);
            if (positionIndex(board) != i)
                QFAIL(qPrintable(QStringLiteral("position %1 comes back as %2").arg(i).arg(positionIndex(board))));
        }
    }

    void distance_data()
    {
        QTest::addColumn<QString>("cells");
        QTest::addColumn<int>("distance");
        QTest::newRow("start") << "bbbbbbbb . tttttttt" << 46;
        QTest::newRow("goal") << "tttttttt . bbbbbbbb" << 0;
        QTest::newRow("one slide short of the goal") << "ttttttt. t bbbbbbbb" << 1;
        QTest::newRow("two empty cells") << "bbbbbbb. . tttttttt" << -1;
        QTest::newRow("nine balls") << "bbbbbbbb . bttttttt" << -1;
        QTest::newRow("no empty cell") << "bbbbbbbb t tttttttt" << -1;
    }

    void distance()
    {
        QFETCH(QString, cells);
        QFETCH(int, distance);
        QCOMPARE(sharedDistanceTable().distance(boardFromText(cells)), distance);
    }

    // The search itself, checked without trusting it: at every position the distance is
    // 0 only at the goal, and otherwise one more than the nearest neighbour's.
    void everyDistanceIsOneMoreThanTheBestNeighbour()
    {
        const DistanceTable &table = sharedDistanceTable();
        for (int i = 0; i < PositionCount; ++i) {
            const Board board = positionAt(i);
            const int here = table.distance(board);
            QVERIFY2(here >= 0, qPrintable(QStringLiteral("position %1 is not reached").arg(i)));
            int best = -1;
            for (const BoardMove &move : legalMoves(board)) {
                Board moved = board;
                executeMove(moved, move.from, move.to);
                const int there = table.distance(moved);
                if (best < 0 || there < best)
                    best = there;
            }
            if (isGoal(board) ? here != 0 : here != best + 1)
                QFAIL(qPrintable(QStringLiteral("position %1: distance %2, nearest neighbour %3").arg(i).arg(here).arg(best)));
        }
    }

    void hintedMoveIsLegalAndOneNearer_data()
    {
        QTest::addColumn<QString>("cells");
        QTest::newRow("start") << "bbbbbbbb . tttttttt";
        QTest::newRow("start with the shared cell's neighbours moved") << "bbbbbbb. b tttttttt";
        QTest::newRow("one slide short of the goal") << "ttttttt. t bbbbbbbb";
        QTest::newRow("empty corner on the left") << ".bbbbbbb b tttttttt";
        QTest::newRow("empty corner on the right") << "bbbbbbbb t ttttttt.";
        QTest::newRow("empty centre of the right square") << "tbtbtbtb t btb.ttbb";
        QTest::newRow("kinds swapped in halves") << "ttttbbbb . bbbbtttt";
        QTest::newRow("balls on the long lines") << "ttbtbbbb . btbtbttt";
        for (const auto &[seed, length] : {std::pair{1u, 5}, {2u, 17}, {3u, 40}, {4u, 101}, {5u, 333}, {6u, 1000}}) {
            const Board board = randomWalk(seed, length);
            QString text;
            for (int k = FirstCell; k <= LastCell; ++k) {
                text += board[k] == Piece::Ball ? u'b' : board[k] == Piece::Tile ? u't' : u'.';
                if (k == SharedCell - 1 || k == SharedCell)
                    text += u' ';
            }
            QTest::newRow(qPrintable(QStringLiteral("random walk of %1 moves").arg(length))) << text;
        }
    }

    void hintedMoveIsLegalAndOneNearer()
    {
        QFETCH(QString, cells);
        const DistanceTable &table = sharedDistanceTable();
        Board board = boardFromText(cells);
        const int before = table.distance(board);
        QVERIFY(before > 0);

        const std::optional<BoardMove> move = table.nextMove(board);
        QVERIFY(move.has_value());
        QVERIFY(board[move->from] != Piece::Empty);
        QCOMPARE(board[move->to], Piece::Empty);
        QVERIFY(findMove(board, move->from, move->to) != MoveKind::None);
        executeMove(board, move->from, move->to);
        QCOMPARE(table.distance(board), before - 1);
    }

    void noHintAtTheGoalOrForANonPosition()
    {
        const DistanceTable &table = sharedDistanceTable();
        QVERIFY(!table.nextMove(boardFromText("tttttttt . bbbbbbbb")));
        QVERIFY(!table.nextMove(boardFromText("bbbbbbb. . tttttttt")));
    }

    void followingTheHintsFromTheStartWinsIn46Moves()
    {
        const DistanceTable &table = sharedDistanceTable();
        Board board = Board::startPosition();
        int moves = 0;
        while (const auto move = table.nextMove(board)) {
            QVERIFY(findMove(board, move->from, move->to) != MoveKind::None);
            executeMove(board, move->from, move->to);
            QVERIFY(++moves <= 46);
        }
        QCOMPARE(moves, 46);
        QVERIFY(isGoal(board));
    }

    void solverBuildsOnAWorkerThreadOnFirstRequest()
    {
        Solver solver;
        QVERIFY(solver.table() == nullptr); // nothing is built before it is asked for

        const auto caller = std::this_thread::get_id();
        std::thread::id builtOn;
        QSignalSpy ready(&solver, &Solver::ready);
        connect(&solver, &Solver::ready, this, [&] { builtOn = std::this_thread::get_id(); });
        solver.request();
        solver.request(); // a second request while building starts nothing new
        QVERIFY(ready.wait(30000));
        QCOMPARE(builtOn, caller); // the signal comes on the caller's thread
        QVERIFY(solver.table() != nullptr);
        QCOMPARE(solver.table()->distance(Board::startPosition()), 46);

        solver.request(); // built already: no second search, no second signal
        QCoreApplication::processEvents();
        QCOMPARE(ready.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSolver)
#include "tst_solver.moc"
