// Nicknames are six characters as a player sees them: cut or padded, never split.
#include "topten/nickname.h"

#include <QTest>

namespace {

QString repeated(const QString &character, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += character;
    return text;
}

const QString Grin = QString::fromUtf8("\U0001F600");                             // one surrogate pair
const QString Family = QString::fromUtf8("\U0001F468\u200D\U0001F469\u200D\U0001F467"); // joined emoji
const QString Flag = QString::fromUtf8("\U0001F1EE\U0001F1E9");                    // two regional letters
const QString AccentedE = QString::fromUtf8("e\u0301");                            // letter and combining mark

} // namespace

class TestNickName final : public QObject
{
    Q_OBJECT

private slots:
    void fitsToSixCharacters_data();
    void fitsToSixCharacters();
    void countsCharactersAsSeen_data();
    void countsCharactersAsSeen();
    void findsWhereTheNameEnds();
    void typedNamesLoseInvisibleFormatting_data();
    void typedNamesLoseInvisibleFormatting();
};

void TestNickName::fitsToSixCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");

    QTest::newRow("empty") << "" << "      ";
    QTest::newRow("short is padded") << "Abc" << "Abc   ";
    QTest::newRow("six is kept") << "Sixsix" << "Sixsix";
    QTest::newRow("long is cut") << "Seventy" << "Sevent";
    QTest::newRow("spaces kept as typed") << " a b " << " a b  ";
    QTest::newRow("case kept") << "aBc" << "aBc   ";
    QTest::newRow("six emoji") << repeated(Grin, 6) << repeated(Grin, 6);
    QTest::newRow("seven emoji cut whole") << repeated(Grin, 7) << repeated(Grin, 6);
    QTest::newRow("emoji padded") << Grin << Grin + "     ";
    // A family is one character of eight code units: three with their padding would pass 24.
    QTest::newRow("joined emoji") << repeated(Family, 7) << repeated(Family, 2) + "    ";
    QTest::newRow("a letter under a flood of marks")
        << "e" + QString(32000, QChar(0x0301)) << "e" + QString(18, QChar(0x0301)) + "     ";
    QTest::newRow("a flood after a letter") << "a" + AccentedE + QString(1000, QChar(0x0301)) << "a     ";
    QTest::newRow("flags") << repeated(Flag, 8) << repeated(Flag, 6);
    QTest::newRow("combining marks stay") << repeated(AccentedE, 7) << repeated(AccentedE, 6);
    QTest::newRow("markup is text") << "<b>x</b>" << "<b>x</";
    // U+0600 joins the character after it into one.
    QTest::newRow("number sign last") << QString::fromUtf8("abcde\u0600") << QString::fromUtf8("abcde\u0600 ");
    QTest::newRow("number sign fifth") << QString::fromUtf8("abcd\u0600") << QString::fromUtf8("abcd\u0600  ");
    QTest::newRow("number sign and digit") << QString::fromUtf8("abcde\u06005") << QString::fromUtf8("abcde\u06005");
}

void TestNickName::fitsToSixCharacters()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);

    const NickName nick(typed);
    QCOMPARE(nick.text(), name);
    QCOMPARE(NickName::characterCount(nick.text()), 6);
    // Stored with a score after it, the name reads back whole and the score stays apart.
    QCOMPARE(NickName::lengthOfCharacters(nick.text() + QStringLiteral("3600"), 6), nick.text().size());
    QCOMPARE(NickName(nick.text()), nick);
}

void TestNickName::countsCharactersAsSeen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");

    QTest::newRow("empty") << "" << 0;
    QTest::newRow("ascii") << "Pocong" << 6;
    QTest::newRow("emoji") << repeated(Grin, 3) << 3;
    QTest::newRow("joined emoji") << Family << 1;
    QTest::newRow("flag") << Flag << 1;
    QTest::newRow("accented") << AccentedE + "x" << 2;
    QTest::newRow("han") << QString::fromUtf8("\u6f22\u5b57") << 2;
}

void TestNickName::countsCharactersAsSeen()
{
    QFETCH(QString, text);
    QFETCH(int, count);

    QCOMPARE(NickName::characterCount(text), count);
}

void TestNickName::typedNamesLoseInvisibleFormatting_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("right-to-left override") << QString::fromUtf8("\u202Eabc") << "abc";
    QTest::newRow("isolates and marks") << QString::fromUtf8("\u2067ab\u2069\u200Fc\u200E") << "abc";
    QTest::newRow("zero-width space") << QString::fromUtf8("a\u200Bb") << "ab";
    QTest::newRow("joiner inside an emoji stays") << Family << Family;
    QTest::newRow("joiner alone goes") << QString::fromUtf8("\u200Dab\u200D") << "ab";
    QTest::newRow("subdivision flag keeps its tags")
        << QString::fromUtf8("\U0001F3F4\U000E0067\U000E0062\U000E0065\U000E006E\U000E0067\U000E007F")
        << QString::fromUtf8("\U0001F3F4\U000E0067\U000E0062\U000E0065\U000E006E\U000E0067\U000E007F");
    QTest::newRow("letters and marks untouched") << AccentedE + "x" << AccentedE + "x";
}

void TestNickName::typedNamesLoseInvisibleFormatting()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QCOMPARE(NickName::fromTyped(typed), kept);
    // What is stored is what is drawn: never more than six characters in 24 code units.
    const NickName name(NickName::fromTyped(typed));
    QVERIFY(name.text().size() <= NickName::MaxUnits);
    QCOMPARE(NickName::characterCount(name.text()), NickName::Length);
}

void TestNickName::findsWhereTheNameEnds()
{
    // A stored value is the name followed at once by the score.
    const QString value = repeated(Grin, 6) + "57";
    QCOMPARE(NickName::lengthOfCharacters(value, 6), 12);
    QCOMPARE(value.mid(NickName::lengthOfCharacters(value, 6)), QStringLiteral("57"));
    QCOMPARE(NickName::lengthOfCharacters(AccentedE + "bcdef3600", 6), 7);
    QCOMPARE(NickName::lengthOfCharacters("Abc", 6), 3);
    QCOMPARE(NickName::lengthOfCharacters("", 6), 0);
    QCOMPARE(NickName().text(), QStringLiteral("      "));
}

QTEST_GUILESS_MAIN(TestNickName)
#include "tst_nickname.moc"
