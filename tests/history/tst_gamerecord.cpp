// A game's line in the history: what is written reads back the same, a line damaged in any
// field reads as damaged (never as another game), and a game costs a byte a move.
#include "fixturegames.h"

#include <QTest>

namespace {

// A line whose checksum is right, so that only its content can make it damaged.
QByteArray sealed(const QByteArray &body)
{
    return body + ' ' + QByteArray::number(qChecksum(body), 16).rightJustified(4, '0') + '\n';
}

QByteArray letters(const std::vector<BoardMove> &moves)
{
    QByteArray text;
    for (const BoardMove &move : moves)
        text += char('a' + move.from - 1);
    return text;
}

} // namespace

class TestGameRecord : public QObject
{
    Q_OBJECT

private slots:
    void readsBackWhatWasWritten_data()
    {
        QTest::addColumn<GameRecord>("game");
        QTest::newRow("won at best, no help") << Fixture::game(Fixture::wonWithDetoursAt());
        QTest::newRow("won with a detour and all help") << Fixture::game(Fixture::wonWithDetoursAt({3}), 4000, 2, 1, 3);
        QTest::newRow("left after one move") << Fixture::game(Fixture::leftAfter(1), 0);
        QTest::newRow("left after forty") << Fixture::game(Fixture::leftAfter(40), 1LL << 40);
    }
    void readsBackWhatWasWritten()
    {
        QFETCH(GameRecord, game);
        const QByteArray line = GameRecords::encode(game);
        QVERIFY(line.endsWith('\n'));
        QCOMPARE(line.count('\n'), 1);
        const std::optional<GameRecord> back = GameRecords::decode(line);
        QVERIFY(back);
        QVERIFY(*back == game);
        QCOMPARE(back->steps(), qint64(game.moves.size()));
    }

    void damagedLinesReadAsDamaged_data()
    {
        QTest::addColumn<QByteArray>("line");
        const std::vector<BoardMove> best = Fixture::wonWithDetoursAt();
        const QByteArray good = GameRecords::encode(Fixture::game(best));
        const QByteArray moves = letters(best);
        const QByteArray steps = QByteArray::number(qsizetype(best.size()));

        QByteArray flipped = good;
        flipped[flipped.indexOf(moves) + 5] = flipped[flipped.indexOf(moves) + 5] == 'a' ? 'b' : 'a';
        QTest::newRow("a move changed") << flipped;
        QTest::newRow("cut short") << good.left(good.size() / 2);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("zeros a power cut left") << QByteArray(40, '\0');
        QTest::newRow("foreign text") << QByteArray("[HiScores]\n");
        // Right checksums, wrong content.
        QTest::newRow("another version") << sealed("v9 2026-12-11T08:30:00Z won " + steps + " 100 0 0 0 " + moves);
        QTest::newRow("local time") << sealed("v1 2026-12-11T08:30:00 won " + steps + " 100 0 0 0 " + moves);
        QTest::newRow("no date") << sealed("v1 yesterday won " + steps + " 100 0 0 0 " + moves);
        QTest::newRow("neither won nor left") << sealed("v1 2026-12-11T08:30:00Z lost " + steps + " 100 0 0 0 " + moves);
        QTest::newRow("steps not the moves") << sealed("v1 2026-12-11T08:30:00Z won 46 100 0 0 0 " + moves + "ab");
        QTest::newRow("a sign") << sealed("v1 2026-12-11T08:30:00Z won " + steps + " +100 0 0 0 " + moves);
        QTest::newRow("negative help") << sealed("v1 2026-12-11T08:30:00Z won " + steps + " 100 -1 0 0 " + moves);
        QTest::newRow("a field missing") << sealed("v1 2026-12-11T08:30:00Z won " + steps + " 100 0 0 " + moves);
        QTest::newRow("no move") << sealed("v1 2026-12-11T08:30:00Z left 0 100 0 0 0 ");
        QTest::newRow("a move the rule forbids") << sealed("v1 2026-12-11T08:30:00Z left 1 100 0 0 0 a");
        QTest::newRow("a cell that is not there") << sealed("v1 2026-12-11T08:30:00Z left 1 100 0 0 0 z");
        QTest::newRow("won short of the goal")
            << sealed("v1 2026-12-11T08:30:00Z won 3 100 0 0 0 " + letters(Fixture::leftAfter(3)));
        QTest::newRow("left at the goal") << sealed("v1 2026-12-11T08:30:00Z left " + steps + " 100 0 0 0 " + moves);
    }
    void damagedLinesReadAsDamaged()
    {
        QFETCH(QByteArray, line);
        QVERIFY(!GameRecords::decode(line));
    }

    // The history of 10,000 games must stay under 2 MB.
    void tenThousandLongGamesFitInTwoMegabytes()
    {
        const GameRecord game = Fixture::game(Fixture::wonWithDetoursAt({2, 9, 20, 31, 40}), 99999, 12, 3, 40);
        QVERIFY(game.moves.size() >= 56);
        QCOMPARE_LT(GameRecords::encode(game).size() * 10000, 2 * 1024 * 1024);
    }
};

QTEST_GUILESS_MAIN(TestGameRecord)
#include "tst_gamerecord.moc"
