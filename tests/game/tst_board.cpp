// The move rule and the goal test, checked against the full table of moves, and a search
// that proves the puzzle's best solution is 46 moves.
#include "game/board.h"
#include "shortestpath.h"

#include <QTest>

#include <map>
#include <set>

namespace {

struct Reach
{
    std::set<int> slides;
    std::set<int> jumps;
};

// Every move of the board: the slides and jumps from each cell.
const std::map<int, Reach> &moveTable()
{
    static const std::map<int, Reach> table{
        {1, {{2, 4}, {3, 7}}},
        {2, {{1, 3, 5}, {8}}},
        {3, {{2, 6}, {1, 9}}},
        {4, {{1, 5, 7}, {6}}},
        {5, {{2, 4, 6, 8}, {}}},
        {6, {{3, 5, 9}, {4, 12}}},
        {7, {{4, 8}, {1, 9}}},
        {8, {{5, 7, 9}, {2, 10}}},
        {9, {{6, 8, 10, 12}, {3, 7, 11, 15}}},
        {10, {{9, 11, 13}, {8, 16}}},
        {11, {{10, 14}, {9, 17}}},
        {12, {{9, 13, 15}, {6, 14}}},
        {13, {{10, 12, 14, 16}, {}}},
        {14, {{11, 13, 17}, {12}}},
        {15, {{12, 16}, {9, 17}}},
        {16, {{13, 15, 17}, {10}}},
        {17, {{14, 16}, {11, 15}}},
    };
    return table;
}

Board boardFromText(const char *text)
{
    // "bbbbbbbb.tttttttt": cells 1..17, 'b' ball, 't' tile, '.' empty; spaces ignored.
    Board board;
    int cell = FirstCell;
    for (const char *p = text; *p; ++p) {
        if (*p == ' ')
            continue;
        board.set(cell++, *p == 'b' ? Piece::Ball : *p == 't' ? Piece::Tile : Piece::Empty);
    }
    return board;
}

} // namespace

class TestBoard final : public QObject
{
    Q_OBJECT

private slots:
    void everyPairOfCellsFollowsTheMoveTable()
    {
        for (int s = FirstCell; s <= LastCell; ++s) {
            for (int t = FirstCell; t <= LastCell; ++t) {
                const Reach &reach = moveTable().at(s);
                const MoveKind expected = reach.slides.count(t) ? MoveKind::Slide
                                          : reach.jumps.count(t) ? MoveKind::Jump
                                                                 : MoveKind::None;
                const MoveKind found = findMove(Board(), s, t);
                if (found != expected)
                    QFAIL(qPrintable(QStringLiteral("from %1 to %2: got %3, expected %4")
                                         .arg(s).arg(t).arg(int(found)).arg(int(expected))));
            }
        }
    }

    void offsetsThatWouldWrapAreRefused_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        const int pairs[][2] = {{3, 4}, {6, 7}, {11, 12}, {14, 15}, {4, 3}, {7, 6}, {12, 11}, {15, 14},
                                {10, 7}, {11, 8}, {7, 10}, {8, 11}, {2, 4}, {5, 7}, {4, 10}, {5, 3},
                                {1, 9}, {9, 1}, {9, 17}, {5, 13}};
        for (const auto &pair : pairs)
            QTest::addRow("%d to %d", pair[0], pair[1]) << pair[0] << pair[1];
    }
    void offsetsThatWouldWrapAreRefused()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QCOMPARE(findMove(Board(), from, to), MoveKind::None);
    }

    void noMoveIntoAFullCell_data()
    {
        QTest::addColumn<QString>("cells");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("slide onto a ball") << "bbbbbbbb . tttttttt" << 8 << 7;
        QTest::newRow("jump onto a tile") << "bbbbbbbb . tttttttt" << 8 << 10;
        QTest::newRow("slide onto the full shared cell") << "bbbbbbb. b tttttttt" << 6 << 9;
    }
    void noMoveIntoAFullCell()
    {
        QFETCH(QString, cells);
        QFETCH(int, from);
        QFETCH(int, to);
        QCOMPARE(findMove(boardFromText(cells.toLatin1().constData()), from, to), MoveKind::None);
    }

    void legalMovesAreTheMovesIntoTheEmptyCell_data()
    {
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QList<int>>("from");
        QTest::newRow("start: eight ways into the shared cell")
            << "bbbbbbbb . tttttttt" << QList<int>{3, 6, 7, 8, 10, 11, 12, 15};
        QTest::newRow("corner 1 empty") << ".bbbbbbb t ttttttbb" << QList<int>{2, 3, 4, 7};
        QTest::newRow("centre 13 empty") << "bbbbbbbb t ttt.tttb" << QList<int>{10, 12, 14, 16};
    }
    void legalMovesAreTheMovesIntoTheEmptyCell()
    {
        QFETCH(QString, cells);
        QFETCH(QList<int>, from);
        const Board board = boardFromText(cells.toLatin1().constData());
        QList<int> found;
        for (const BoardMove &move : legalMoves(board)) {
            QVERIFY(board[move.to] == Piece::Empty);
            found << move.from;
        }
        QCOMPARE(found, from);
    }

    void goalTest_data()
    {
        QTest::addColumn<QString>("cells");
        QTest::addColumn<bool>("goal");
        QTest::newRow("start position") << "bbbbbbbb . tttttttt" << false;
        QTest::newRow("goal position") << "tttttttt . bbbbbbbb" << true;
        QTest::newRow("goal but cell 9 full, 1 empty") << ".ttttttt t bbbbbbbb" << false;
        QTest::newRow("one ball left behind") << "tttttttb . tbbbbbbb" << false;
        QTest::newRow("empty board") << "........ . ........" << false;
    }
    void goalTest()
    {
        QFETCH(QString, cells);
        QFETCH(bool, goal);
        QCOMPARE(isGoal(boardFromText(cells.toLatin1().constData())), goal);
    }

    void startPositionHasBallsLeftAndTilesRight()
    {
        QVERIFY(Board::startPosition() == boardFromText("bbbbbbbb . tttttttt"));
    }

    void goalPositionHasTilesLeftAndBallsRight()
    {
        QVERIFY(Board::goalPosition() == boardFromText("tttttttt . bbbbbbbb"));
    }

    void bestSolutionTakes46Moves()
    {
        const std::vector<std::pair<int, int>> solution = solveShortest(Board::startPosition());
        QCOMPARE(int(solution.size()), 46);
        Board board = Board::startPosition();
        for (const auto &[s, t] : solution) {
            QVERIFY(board[t] == Piece::Empty);
            QVERIFY(findMove(board, s, t) != MoveKind::None);
            executeMove(board, s, t);
        }
        QVERIFY(isGoal(board));
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_board.moc"
