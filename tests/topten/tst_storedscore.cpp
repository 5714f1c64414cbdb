// The exact decimal score: which stored texts are read, how scores are written back, and
// that nothing out of range or too fine is rounded or wrapped instead of refused.
#include "topten/storedscore.h"

#include <QTest>

#include <limits>
#include <stdexcept>

class TestStoredScore final : public QObject
{
    Q_OBJECT

private slots:
    void readsAndWritesBack_data();
    void readsAndWritesBack();
    void refusesWhatIsNotAnExactScore_data();
    void refusesWhatIsNotAnExactScore();
    void comparesAsNumbers();
    void wholeNumbersOutOfRangeAreRefused();
};

void TestStoredScore::readsAndWritesBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");

    QTest::newRow("plain digits") << "57" << "57";
    QTest::newRow("zero") << "0" << "0";
    QTest::newRow("default score") << "3600" << "3600";
    QTest::newRow("leading zeros") << "0057" << "57";
    QTest::newRow("plus sign") << "+57" << "57";
    QTest::newRow("minus sign") << "-57" << "-57";
    QTest::newRow("minus zero") << "-0" << "0";
    QTest::newRow("fraction") << "57.25" << "57.25";
    QTest::newRow("fraction with trailing zeros") << "57.5000000" << "57.5";
    QTest::newRow("four places") << "0.0001" << "0.0001";
    QTest::newRow("zero fraction") << "12.0" << "12";
    QTest::newRow("largest") << "922337203685477.5807" << "922337203685477.5807";
    QTest::newRow("most negative") << "-922337203685477.5807" << "-922337203685477.5807";
    QTest::newRow("largest whole") << "922337203685477" << "922337203685477";
}

void TestStoredScore::readsAndWritesBack()
{
    QFETCH(QString, text);
    QFETCH(QString, written);

    const StoredScore value = StoredScore::parse(text);
    QCOMPARE(value.toString(), written);
    QCOMPARE(StoredScore::parse(written), value);
}

void TestStoredScore::refusesWhatIsNotAnExactScore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("description");

    const QString notANumber = QStringLiteral("The score \"%1\" is not a number.");
    QTest::newRow("empty") << "" << "The score is missing: no digits follow the name.";
    QTest::newRow("letters") << "abc" << notANumber.arg("abc");
    QTest::newRow("digits then letter") << "5x7" << notANumber.arg("5x7");
    QTest::newRow("leading space") << " 57" << notANumber.arg(" 57");
    QTest::newRow("trailing space") << "57 " << notANumber.arg("57 ");
    QTest::newRow("thousands separator") << "1,000" << notANumber.arg("1,000");
    QTest::newRow("exponent") << "1e3" << notANumber.arg("1e3");
    QTest::newRow("sign alone") << "-" << notANumber.arg("-");
    QTest::newRow("two signs") << "--5" << notANumber.arg("--5");
    QTest::newRow("bare point") << "." << notANumber.arg(".");
    QTest::newRow("no whole part") << ".5" << notANumber.arg(".5");
    QTest::newRow("no fraction after point") << "5." << notANumber.arg("5.");
    QTest::newRow("two points") << "1.2.3" << notANumber.arg("1.2.3");
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0665\u0667")
                                          << notANumber.arg(QString::fromUtf8("\u0665\u0667"));
    QTest::newRow("fullwidth digits") << QString::fromUtf8("\uff15\uff17")
                                       << notANumber.arg(QString::fromUtf8("\uff15\uff17"));
    QTest::newRow("one past the largest") << "922337203685477.5808"
                                           << "The score \"922337203685477.5808\" is too large.";
    QTest::newRow("whole part too large") << "922337203685478" << "The score \"922337203685478\" is too large.";
    QTest::newRow("beyond 64 bits") << "99999999999999999999"
                                     << "The score \"99999999999999999999\" is too large.";
    QTest::newRow("negative too large") << "-922337203685478"
                                         << "The score \"-922337203685478\" is too large.";
    QTest::newRow("fifth decimal place") << "1.00001"
                                          << "The score \"1.00001\" has more than 4 decimal places.";
    QTest::newRow("long text is cut in the report")
        << QString(100, QLatin1Char('x'))
        << notANumber.arg(QString(40, QLatin1Char('x')) + QChar(0x2026));
}

void TestStoredScore::refusesWhatIsNotAnExactScore()
{
    QFETCH(QString, text);
    QFETCH(QString, description);

    QString caught;
    try {
        StoredScore::parse(text);
    } catch (const std::runtime_error &failure) {
        caught = QString::fromUtf8(failure.what());
    }
    QCOMPARE(caught, description);
}

void TestStoredScore::comparesAsNumbers()
{
    // As text "100" < "99" and "57.5" > "57.25" would go the other way for one of them.
    QVERIFY(StoredScore::parse("99") < StoredScore::parse("100"));
    QVERIFY(StoredScore::parse("57.25") < StoredScore::parse("57.5"));
    QVERIFY(StoredScore::parse("-1") < StoredScore(0));
    QCOMPARE(StoredScore::parse("0057.50"), StoredScore::parse("57.5"));
    QCOMPARE(StoredScore(3600), StoredScore::parse("3600"));
    QVERIFY(StoredScore(3599) < StoredScore(3600));
}

void TestStoredScore::wholeNumbersOutOfRangeAreRefused()
{
    QCOMPARE(StoredScore(922337203685477).toString(), QStringLiteral("922337203685477"));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, StoredScore(922337203685478));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, StoredScore(std::numeric_limits<std::int64_t>::max()));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, StoredScore(std::numeric_limits<std::int64_t>::min()));
}

QTEST_GUILESS_MAIN(TestStoredScore)
#include "tst_storedscore.moc"
