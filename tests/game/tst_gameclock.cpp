// The clock's text after a number of ticks: fields show 60 for one tick before carrying.
#include "game/gameclock.h"

#include <QTest>

class TestGameClock final : public QObject
{
    Q_OBJECT

private slots:
    void textAfterTicks_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 0 << "00:00:00";
        QTest::newRow("1") << 1 << "00:00:01";
        QTest::newRow("9") << 9 << "00:00:09";
        QTest::newRow("10") << 10 << "00:00:10";
        QTest::newRow("60 shows 60") << 60 << "00:00:60";
        QTest::newRow("61 carries") << 61 << "00:01:01";
        QTest::newRow("3600") << 3600 << "00:59:60";
        QTest::newRow("3601") << 3601 << "00:60:01";
        QTest::newRow("3660") << 3660 << "00:60:60";
        QTest::newRow("3661") << 3661 << "01:01:01";
        QTest::newRow("100 hours") << 100 * 3600 + 1 << "99:60:01";
        QTest::newRow("three-digit hours") << 100 * 3600 + 61 << "100:01:01";
    }
    void textAfterTicks()
    {
        QFETCH(int, ticks);
        QFETCH(QString, text);
        GameClock clock;
        for (int i = 0; i < ticks; ++i)
            clock.tick();
        QCOMPARE(clock.text(), text);
    }

    void countersAlwaysAddUpToTheTicks()
    {
        GameClock clock;
        for (int i = 1; i <= 4 * 3600; ++i) {
            clock.tick();
            if (clock.Hours * 3600 + clock.Minutes * 60 + clock.Seconds != i)
                QFAIL(qPrintable(QStringLiteral("tick %1 shows %2").arg(i).arg(clock.text())));
        }
    }
};

QTEST_GUILESS_MAIN(TestGameClock)
#include "tst_gameclock.moc"
