// What the "Your games" window shows of a small history: the figures (won, left, helped),
// the chart's points, the sentence a screen reader hears, and where the steps go, ranked
// from the reviews of the won games.
#include "fixturegames.h"
#include "shortestpath.h"

#include "game/solver.h"
#include "history/historystats.h"

#include <QSet>
#include <QTest>

namespace {

GameRecord wonIn(int steps, int hints = 0, int watches = 0, int undos = 0)
{
    return Fixture::game(Fixture::wonIn(steps), steps * 3, hints, watches, undos);
}

std::vector<GameRecord> winsOf(const QList<int> &steps)
{
    std::vector<GameRecord> games;
    for (int s : steps)
        games.push_back(wonIn(s));
    return games;
}

} // namespace

class TestHistoryStats : public QObject
{
    Q_OBJECT

private slots:
    void figuresOfASmallHistory()
    {
        // Won at 46 without help, won at 50 with an undo, left, won at 48 with a hint, left
        // with watching, won at 54 without help.
        const std::vector<GameRecord> games{wonIn(46), wonIn(50, 0, 0, 1), Fixture::game(Fixture::leftAfter(5), 20),
                                            wonIn(48, 1), Fixture::game(Fixture::leftAfter(30), 90, 0, 1),
                                            wonIn(54)};
        const HistoryFigures f = figuresOf(games);
        QCOMPARE(f.played, 6);
        QCOMPARE(f.won, 4);
        QCOMPARE(f.abandoned, 2);
        QCOMPARE(f.bestSteps, 46);
        QCOMPARE(f.bestSeconds, 46 * 3);
        QCOMPARE(f.averageAll, 49.5);
        QCOMPARE(f.medianAll, 49.0);
        QCOMPARE(f.averageLast10, 49.5);
        QCOMPARE(f.wonAtBest, 1);
        QCOMPARE(f.wonWithoutHelp, 2);
    }

    void lastTenAreTheLatestWins()
    {
        // Twelve wins: the first two (60 and 58) fall out of the last ten; a left game in
        // between counts for nothing.
        std::vector<GameRecord> games = winsOf({60, 58, 46, 46, 46, 46, 46, 48, 48, 48, 48, 50});
        games.insert(games.begin() + 5, Fixture::game(Fixture::leftAfter(3)));
        const HistoryFigures f = figuresOf(games);
        QCOMPARE(f.averageLast10, 47.2);
        QCOMPARE(f.medianLast10, 47.0);
        QCOMPARE(f.averageAll, 49.1666666666666667);
        QCOMPARE(f.medianAll, 48.0);
    }

    void noWinsNoBests()
    {
        const HistoryFigures f = figuresOf({Fixture::game(Fixture::leftAfter(3))});
        QCOMPARE(f.played, 1);
        QCOMPARE(f.abandoned, 1);
        QVERIFY(!f.bestSteps && !f.bestSeconds && !f.averageAll && !f.medianLast10);
    }

    void chartHasEachWinWithItsMovingAverage()
    {
        std::vector<GameRecord> games = winsOf({60, 50, 46, 46, 46, 46, 46, 46, 46, 46, 52});
        games[1].hints = 2;
        games.insert(games.begin() + 2, Fixture::game(Fixture::leftAfter(3)));
        const std::vector<ChartPoint> chart = chartOf(games);
        QCOMPARE(chart.size(), 11u);
        QCOMPARE(chart[0].movingAverage, 60.0);
        QCOMPARE(chart[1].movingAverage, 55.0);
        QVERIFY(chart[1].helped && !chart[0].helped && !chart[2].helped);
        QCOMPARE(chart[9].movingAverage, 47.8);  // all ten so far
        QCOMPARE(chart[10].movingAverage, 47.0); // 60 falls out, 52 comes in
        QCOMPARE(chart[10].steps, 52);
    }

    void trendSentence_data()
    {
        QTest::addColumn<std::vector<GameRecord>>("games");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("nothing played") << std::vector<GameRecord>{}
                                        << "No games yet: your games appear here once you have played one.";
        QTest::newRow("only left") << std::vector<GameRecord>{Fixture::game(Fixture::leftAfter(2))} << "No wins yet.";
        QTest::newRow("one win") << winsOf({48}) << "Your one win took 48 steps.";
        QTest::newRow("a few wins") << winsOf({46, 50, 52}) << "Your 3 wins averaged 49 steps.";
        QList<int> better(10, 56);
        better += QList<int>(10, 52);
        QTest::newRow("fewer") << winsOf(better) << "Your last 10 wins averaged 52 steps, 4 fewer than the 10 before.";
        QList<int> worse(10, 46);
        worse += QList<int>(9, 48);
        worse += 50;
        QTest::newRow("more") << winsOf(worse) << "Your last 10 wins averaged 48 steps, 2 more than the 10 before.";
        QTest::newRow("same") << winsOf(QList<int>(25, 50)) << "Your last 10 wins averaged 50 steps, the same as the 10 before.";
    }
    void trendSentence()
    {
        QFETCH(std::vector<GameRecord>, games);
        QFETCH(QString, sentence);
        QCOMPARE(::trendSentence(games), sentence);
    }

    // Three games lose steps at move 5 (the same position: the moves before are the same
    // best ones), one at move 20 only, one is played best, and a left game that wanders
    // counts for nothing: the move-5 position comes first, reached in all five won games.
    void whereStepsGoRanksByGamesThatLostThere()
    {
        const DistanceTable &table = sharedDistanceTable();
        std::vector<GameRecord> games{Fixture::game(Fixture::wonWithDetoursAt({5})),
                                      Fixture::game(Fixture::wonWithDetoursAt({5, 30})),
                                      Fixture::game(Fixture::wonWithDetoursAt({20})),
                                      Fixture::game(Fixture::leftAfter(12)),
                                      Fixture::game(Fixture::wonWithDetoursAt()),
                                      Fixture::game(Fixture::wonWithDetoursAt({5}))};
        const std::vector<LossSpot> spots = whereStepsGo(games, table);
        QVERIFY(spots.size() >= 3);

        const std::vector<BoardMove> best = Fixture::wonWithDetoursAt();
        const std::vector<BoardMove> detour = Fixture::wonWithDetoursAt({5});
        QCOMPARE(spots[0].move, 5);
        QCOMPARE(spots[0].lostIn, 3);
        QCOMPARE(spots[0].reachedIn, 5);
        QVERIFY(spots[0].position == GameRecords::positionAfter(best, 4));
        QVERIFY(spots[0].usual == detour[4]);
        QVERIFY(spots[0].best == best[4]);
        QVERIFY(spots[0].path == std::vector<BoardMove>(best.begin(), best.begin() + 4));
        QCOMPARE(spots[0].text(), QStringLiteral("Move 5 (%1 to %2): steps lost in 3 of 5 games.")
                                      .arg(detour[4].from)
                                      .arg(detour[4].to));

        // Then the two single losses, at moves 20 and 30, the larger share of the games
        // that reached them first. The move-20 position is on the best line: the best game
        // reached it too.
        QCOMPARE(spots.size(), 3u);
        QCOMPARE(spots[1].lostIn, 1);
        QCOMPARE(spots[2].lostIn, 1);
        QCOMPARE(QSet<int>({spots[1].move, spots[2].move}), QSet<int>({20, 30}));
        QCOMPARE_GE(spots[2].reachedIn, spots[1].reachedIn);
        const LossSpot &at20 = spots[1].move == 20 ? spots[1] : spots[2];
        QCOMPARE_GE(at20.reachedIn, 2);
        QVERIFY(at20.position == GameRecords::positionAfter(best, 19));
        QCOMPARE(whereStepsGo(games, table, 1).size(), 1u);
        QVERIFY(whereStepsGo(games, table, 5, [] { return true; }).empty()); // given up
    }

    void noLossNoSpot()
    {
        QVERIFY(whereStepsGo(winsOf({46, 46}), sharedDistanceTable()).empty());
    }
};

QTEST_GUILESS_MAIN(TestHistoryStats)
#include "tst_historystats.moc"
