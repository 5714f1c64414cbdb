// The hint as the board presents it, on a bare board widget: the marks on the two cells and
// the words a screen reader is given, the last move's own words among them.
#include "ui/hintpresenter.h"

#include <QTest>
#include <QWidget>

class TestHintPresenter final : public QObject
{
    Q_OBJECT

private slots:
    void aHintMarksTheMoveAndSaysIt_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("movesLeft");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("from the start") << 8 << 9 << 46
                                        << "Hint: move the piece on cell 8 to cell 9. 46 moves to go at best.";
        QTest::newRow("two to go") << 1 << 3 << 2 << "Hint: move the piece on cell 1 to cell 3. 2 moves to go at best.";
        QTest::newRow("the last move") << 17 << 16 << 1
                                       << "Hint: move the piece on cell 17 to cell 16. This is the last move.";
    }
    void aHintMarksTheMoveAndSaysIt()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, movesLeft);
        QFETCH(QString, spoken);
        QWidget board;
        board.resize(408, 408);
        HintPresenter hints(&board, [](int cell) { return QRect(cell * 20, 10, 45, 45); });
        board.show();

        hints.showHint(from, to, movesLeft);
        QVERIFY(hints.marks()->isVisible());
        QCOMPARE(std::pair(hints.marks()->from(), hints.marks()->to()), std::pair(from, to));
        QCOMPARE(board.accessibleDescription(), spoken);

        // The same hint asked for again is said again, and silence leaves no words behind.
        hints.showHint(from, to, movesLeft);
        QCOMPARE(board.accessibleDescription(), spoken);
        hints.tell(QString());
        QVERIFY(board.accessibleDescription().isEmpty());
    }

    // A reviewed move stays marked past the hint's second, until the review moves on.
    void aReviewedMoveStaysMarkedUntilCleared()
    {
        QWidget board;
        board.resize(408, 408);
        HintPresenter hints(&board, [](int cell) { return QRect(cell * 20, 10, 45, 45); });
        board.show();
        hints.markMove(5, 8);
        QTest::qWait(HintMarks::ShowMs + 200);
        QVERIFY(hints.marks()->isVisible());
        hints.markMove(0, 0); // the start of the game: no move to mark
        QVERIFY(!hints.marks()->isVisible());
        hints.markMove(5, 8);
        hints.clearMarks();
        QVERIFY(!hints.marks()->isVisible());
    }
};

QTEST_MAIN(TestHintPresenter)
#include "tst_hintpresenter.moc"
