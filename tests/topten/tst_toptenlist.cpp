// The top-ten procedures over a store in memory and scripted dialogs: the stored format,
// qualification, the nickname loop, the sort, and what each failure reports and keeps.
#include "topten/toptenlist.h"

#include "fakes.h"

#include <QTest>

#include <stdexcept>

namespace {

// The table as "score name" items from index 0 to 9, e.g. "3600 Zenlor|57 Abc   "; a
// damaged entry has "?" for its score.
QString tableText(const TopTenList &hi)
{
    QStringList items;
    for (const TopTenEntry &entry : hi.entries())
        items << (entry.damaged ? QStringLiteral("?") : entry.score.toString()) + QLatin1Char(' ') + entry.name.text();
    return items.join(QLatin1Char('|'));
}

// Fills the table from the same form; a name is fitted to six like any assignment.
void setTable(TopTenList &hi, const QString &text)
{
    const QStringList items = text.split(QLatin1Char('|'));
    Q_ASSERT(items.size() == 10);
    for (int i = 0; i < 10; ++i) {
        const qsizetype space = items[i].indexOf(QLatin1Char(' '));
        hi.entries()[i].score = StoredScore::parse(items[i].left(space));
        hi.entries()[i].name = NickName(items[i].mid(space + 1));
    }
}

// A full list of ten results, stored: what a clear starts from.
struct StoredList {
    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi{store, dialogs};
    StoredList()
    {
        setTable(hi, QStringLiteral("90 J|80 I|70 H|60 G|50 F|40 E|30 D|20 C|10 B|5 A"));
        hi.save();
    }
};

// The short form "57 Abc|..." as tableText() writes it, the names fitted to six.
QString table(const QString &shortForm)
{
    QStringList items;
    for (const QString &item : shortForm.split(QLatin1Char('|'))) {
        const qsizetype space = item.indexOf(QLatin1Char(' '));
        const QString score = item.left(space);
        items << (score == QLatin1String("?") ? score : StoredScore::parse(score).toString()) + QLatin1Char(' ')
                + NickName(item.mid(space + 1)).text();
    }
    return items.join(QLatin1Char('|'));
}

// The load's one report for damaged entries, one line each.
QString damageReport(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'))
        + QStringLiteral("\nAn entry that cannot be read is not a result: the next result to enter the list takes "
                         "its place first.");
}

QString keyReport(int key, const QString &shown, const QString &problem)
{
    return QStringLiteral("Key \"%1\" in section \"HiScores\" of the settings of Tobrinel holds %2, which is not a "
                          "result: %3")
        .arg(QString::number(key), shown, problem);
}

// Stores raw values under keys 0 to 9, "|" between them; "-" leaves a key out.
void putStored(MemoryStore &store, const QString &values)
{
    const QStringList items = values.split(QLatin1Char('|'));
    for (int i = 0; i < items.size(); ++i) {
        if (items[i] == QLatin1String("-"))
            store.values.remove(storedKey(i));
        else
            store.values.insert(storedKey(i), items[i]);
    }
}

QString storedValues(const MemoryStore &store)
{
    QStringList items;
    for (int i = 0; i < 10; ++i)
        items << store.values.value(storedKey(i), QStringLiteral("-"));
    return items.join(QLatin1Char('|'));
}

// The stored table of the faults that were found: Ann with 90 steps down to Joe with 47.
const char *const Ladder = "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Fay   65|Gus   60|Hal   55|Ivy   50|Joe   47";

QString defaultTable()
{
    QStringList items;
    for (int i = 0; i < 10; ++i)
        items << QStringLiteral("3600 Zenlor");
    return items.join(QLatin1Char('|'));
}

// Dialogs whose input box fails, as a broken dialog would.
class FailingInputDialogs final : public Dialogs
{
public:
    Answer showMessage(const QString &prompt, DialogButtons buttons, const QString &title) override
    {
        reports << title + QStringLiteral(": ") + prompt;
        return buttons == DialogButtons::Ok ? Answer::Ok : Answer::Cancel;
    }
    QString askText(const QString &, const QString &, const QString &) override
    {
        throw std::runtime_error("The input box could not be shown.");
    }
    QStringList reports;
};

} // namespace

class TestTopTenList final : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheDefaultTable();
    void loadsTheStoredForm_data();
    void loadsTheStoredForm();
    void loadReportsSeveralDamagedEntriesOnce();
    void loadOfAnUnreadableStoreKeepsTheTable();
    void savesEveryEntryUnderItsIndex();
    void saveStopsAtTheFailingKey();
    void clearRemovesOnlyTheStoredCopy();
    void clearTwiceReportsTheSecond();
    void clearThenAWinStoresOnlyTheWin();
    void qualifiesOnlyWhenStrictlyBetter_data();
    void qualifiesOnlyWhenStrictlyBetter();
    void aResultThatFailsClearsTheFlag();
    void asksUntilTheNicknameFits_data();
    void asksUntilTheNicknameFits();
    void saveAddsTheWinToWhatIsStoredNow_data();
    void saveAddsTheWinToWhatIsStoredNow();
    void aDamagedEntryIsReplacedFirstAndNeverSavedAsAResult_data();
    void aDamagedEntryIsReplacedFirstAndNeverSavedAsAResult();
    void aWinIsEnteredOnlyWithStepsTheListCanHold_data();
    void aWinIsEnteredOnlyWithStepsTheListCanHold();
    void sortsLargestFirstBySwapping_data();
    void sortsLargestFirstBySwapping();
    void aFailedNicknameEntryKeepsWhatWasDone();
    void quittingTakesTheTypedOrTheOfferedName_data();
    void quittingTakesTheTypedOrTheOfferedName();
    void aResultWaitsForTheLockAndIsStoredOnceItIsFree();
    void aResultStillWaitingAtQuitIsKeptAndEntersAtTheNextStart();
};

void TestTopTenList::startsWithTheDefaultTable()
{
    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    QCOMPARE(tableText(hi), defaultTable());
    QCOMPARE(hi.newResultAdded(), false);
}

void TestTopTenList::loadsTheStoredForm_data()
{
    // The value is stored under key 3; keys 4 to 9 hold "Later 59", so a load that stops
    // early leaves 3600 there. Before the load entry 3 holds "Before" with 42: a damaged
    // value keeps neither that score nor any other.
    QTest::addColumn<QString>("stored");     // null: key 3 missing
    QTest::addColumn<QString>("entry3");     // "score name" after the load
    QTest::addColumn<QString>("report");     // the problem reported for key 3; empty for none

    QTest::newRow("missing key") << QString() << "3600 Zenlor" << "";
    QTest::newRow("name and score") << "Abc   57" << "57 Abc" << "";
    QTest::newRow("default text") << "Zenlor3600" << "3600 Zenlor" << "";
    QTest::newRow("sign and fraction") << "Abc   +57.50" << "57.5 Abc" << "";
    QTest::newRow("emoji name") << QString::fromUtf8("\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F60052")
                                << QString::fromUtf8("52 \U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600")
                                << "";
    const QString missing = QStringLiteral("The score is missing: no digits follow the name.");
    QTest::newRow("six characters only") << "Abcdef" << "? Abcdef" << keyReport(3, "\"Abcdef\"", missing);
    QTest::newRow("shorter than six") << "Ab" << "? Ab" << keyReport(3, "\"Ab\"", missing);
    QTest::newRow("empty value") << "" << "? " << keyReport(3, "\"\"", missing);
    QTest::newRow("score not a number") << "Abc   5x7" << "? Abc"
                                        << keyReport(3, "\"Abc   5x7\"", "The score \"5x7\" is not a number.");
    QTest::newRow("score too large")
        << "Abc   99999999999999999999" << "? Abc"
        << keyReport(3, "\"Abc   99999999999999999999\"", "The score \"99999999999999999999\" is too large.");
    // No game stores fewer steps than the shortest solution or more than the default entry's:
    // such a score is a hand edit or a fault, and ranked it would beat every real result.
    const auto outside = [](const QString &score) {
        return QStringLiteral("The score \"%1\" is outside 46 to 3600, the steps a stored result can have.").arg(score);
    };
    QTest::newRow("fewest steps") << "Abc   46" << "46 Abc" << "";
    QTest::newRow("the default's steps") << "Abc   3600" << "3600 Abc" << "";
    QTest::newRow("one step fewer than possible") << "Abc   45" << "? Abc" << keyReport(3, "\"Abc   45\"", outside("45"));
    QTest::newRow("a fraction under the fewest") << "Abc   45.9999" << "? Abc"
                                                 << keyReport(3, "\"Abc   45.9999\"", outside("45.9999"));
    QTest::newRow("one step past the default") << "Abc   3601" << "? Abc"
                                               << keyReport(3, "\"Abc   3601\"", outside("3601"));
    QTest::newRow("a fraction past the default") << "Abc   3600.0001" << "? Abc"
                                                 << keyReport(3, "\"Abc   3600.0001\"", outside("3600.0001"));
    QTest::newRow("negative") << "Eve   -70" << "? Eve" << keyReport(3, "\"Eve   -70\"", outside("-70"));
    QTest::newRow("zero") << "Abc   0" << "? Abc" << keyReport(3, "\"Abc   0\"", outside("0"));
    // The default's text with its first two letters lost: the name takes "nlor36", "00" is left.
    QTest::newRow("default text cut at the front") << "nlor3600" << "? nlor36"
                                                   << keyReport(3, "\"nlor3600\"", outside("00"));
    // The whole text is shown: nothing after a NUL is lost, and control characters show.
    QTest::newRow("NUL in the score") << QStringLiteral("Fay   5") + QChar(0) + QStringLiteral("12") << "? Fay"
                                      << keyReport(3, QString::fromUtf8("\"Fay   5\u240012\""),
                                                   QString::fromUtf8("The score \"5\u240012\" is not a number."));
    QTest::newRow("long emoji text cut between characters")
        << QStringLiteral("Abc   ") + QString::fromUtf8("\U0001F600").repeated(50) << "? Abc"
        << keyReport(3, "\"Abc   " + QString::fromUtf8("\U0001F600").repeated(34) + QString::fromUtf8("\u2026\""),
                     "The score \"" + QString::fromUtf8("\U0001F600").repeated(40) + QString::fromUtf8("\u2026\" is not a number."));
}

void TestTopTenList::loadsTheStoredForm()
{
    QFETCH(QString, stored);
    QFETCH(QString, entry3);
    QFETCH(QString, report);

    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    hi.setEntry(3, TopTenEntry{StoredScore(42), NickName(QStringLiteral("Before"))});
    store.values.insert(storedKey(0), QStringLiteral("First 51"));
    if (!stored.isNull())
        store.values.insert(storedKey(3), stored);
    for (int i = 4; i < 10; ++i)
        store.values.insert(storedKey(i), QStringLiteral("Later 59"));

    hi.load();

    QCOMPARE(tableText(hi), table("51 First|3600 Zenlor|3600 Zenlor|" + entry3 + "|59 Later|59 Later|59 Later|59 Later|59 Later|59 Later"));
    if (report.isEmpty()) {
        QVERIFY(dialogs.calls.empty());
    } else {
        QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
        QCOMPARE(int(dialogs.calls.size()), 1);
        QCOMPARE(dialogs.calls.front().prompt, damageReport({report}));
    }
}

void TestTopTenList::loadReportsSeveralDamagedEntriesOnce()
{
    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    store.values.insert(storedKey(2), QStringLiteral("Bad   x"));
    store.values.insert(storedKey(5), QStringLiteral("Short"));
    store.values.insert(storedKey(8), QStringLiteral("Bad   y"));
    store.values.insert(storedKey(9), QStringLiteral("Good  57"));

    hi.load();

    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
    QCOMPARE(dialogs.calls.front().prompt,
             damageReport({keyReport(2, "\"Bad   x\"", "The score \"x\" is not a number."),
                           keyReport(5, "\"Short\"", "The score is missing: no digits follow the name."),
                           keyReport(8, "\"Bad   y\"", "The score \"y\" is not a number.")}));
    QCOMPARE(tableText(hi), table("3600 Zenlor|3600 Zenlor|? Bad|3600 Zenlor|3600 Zenlor|"
                                  "? Short|3600 Zenlor|3600 Zenlor|? Bad|57 Good"));
}

void TestTopTenList::loadOfAnUnreadableStoreKeepsTheTable()
{
    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    setTable(hi, "90 J|80 I|70 H|60 G|50 F|40 E|30 D|20 C|10 B|5 A");
    store.failGets = true;

    hi.load();

    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
    QCOMPARE(dialogs.calls.front().prompt,
             QStringLiteral("The settings store cannot be read."));
    QCOMPARE(tableText(hi), table("90 J|80 I|70 H|60 G|50 F|40 E|30 D|20 C|10 B|5 A"));
}

void TestTopTenList::savesEveryEntryUnderItsIndex()
{
    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    setTable(hi, "3600 Zenlor|900 Nine|800 Eight|700 Seven|600 Six|500 Five|400 Four|300 Three|57 Abc|47 Sixsix");

    hi.save();

    QVERIFY(dialogs.calls.empty());
    QCOMPARE(store.values.size(), 10);
    QCOMPARE(store.values.value(storedKey(0)), QStringLiteral("Zenlor3600"));
    QCOMPARE(store.values.value(storedKey(7)), QStringLiteral("Three 300"));
    QCOMPARE(store.values.value(storedKey(8)), QStringLiteral("Abc   57"));
    QCOMPARE(store.values.value(storedKey(9)), QStringLiteral("Sixsix47"));

    // And what was saved loads as the same table.
    TopTenList reloaded(store, dialogs);
    reloaded.load();
    QVERIFY(dialogs.calls.empty());
    QCOMPARE(tableText(reloaded), tableText(hi));
}

void TestTopTenList::saveStopsAtTheFailingKey()
{
    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    store.failOnSaveKey = QStringLiteral("4");

    hi.save();

    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("SaveTopTen")});
    QCOMPARE(dialogs.calls.front().prompt,
             QStringLiteral("Your result could not be added to the top ten. The settings store cannot be written."));
    QCOMPARE(QStringList(store.values.keys()),
             (QStringList{storedKey(0), storedKey(1), storedKey(2), storedKey(3)}));
}

void TestTopTenList::clearRemovesOnlyTheStoredCopy()
{
    StoredList list;
    auto &[store, dialogs, hi] = list;
    store.values.insert(MemoryStore::path("Tobrinel", "Other", "x"), QStringLiteral("kept"));

    hi.clear();

    QVERIFY(dialogs.calls.empty());
    QCOMPARE(QStringList(store.values.keys()), QStringList{MemoryStore::path("Tobrinel", "Other", "x")});
    QCOMPARE(tableText(hi), defaultTable()); // what the list shows at once

    hi.load();
    QCOMPARE(tableText(hi), defaultTable());
}

void TestTopTenList::clearTwiceReportsTheSecond()
{
    StoredList list;
    auto &[store, dialogs, hi] = list;

    hi.clear();
    QVERIFY(dialogs.calls.empty());
    hi.clear();

    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("ClearTopTen")});
    QCOMPARE(dialogs.calls.front().prompt, QStringLiteral("The section does not exist."));
    QCOMPARE(tableText(hi), defaultTable()); // as the first clear left it
}

void TestTopTenList::clearThenAWinStoresOnlyTheWin()
{
    StoredList list;
    auto &[store, dialogs, hi] = list;
    hi.clear();

    // A qualifying win without reopening the list: none of the cleared results come back.
    hi.setNewResult(StoredScore(50));
    dialogs.inputAnswers = {QStringLiteral("New")};
    hi.considerNewResult();
    QVERIFY(hi.newResultAdded());
    hi.save();
    hi.save(); // as after the list closes again

    QVERIFY(dialogs.reportTitles().isEmpty());
    QStringList expected;
    for (int i = 0; i < 9; ++i)
        expected << QStringLiteral("Zenlor3600");
    expected << QStringLiteral("New   50");
    QCOMPARE(storedValues(store), expected.join(QLatin1Char('|')));
    QCOMPARE(tableText(hi), table("3600 Zenlor|3600 Zenlor|3600 Zenlor|3600 Zenlor|3600 Zenlor|3600 Zenlor|3600 Zenlor|"
                                  "3600 Zenlor|3600 Zenlor|50 New"));
}

void TestTopTenList::qualifiesOnlyWhenStrictlyBetter_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("after"); // empty: unchanged and no question

    const QString zenlors = QStringLiteral("3600 Zenlor|").repeated(9);
    const QString ladder = QStringLiteral("100 J|90 I|80 H|70 G|60 F|50 E|40 D|30 C|20 B|10 A");
    QTest::newRow("3599 enters the default table") << defaultTable() << 3599 << zenlors + "3599 Nick";
    QTest::newRow("3600 does not enter the default table") << defaultTable() << 3600 << "";
    QTest::newRow("57 ends at index 9 of the default table") << defaultTable() << 57 << zenlors + "57 Nick";
    QTest::newRow("equal to the weakest does not enter") << ladder << 100 << "";
    QTest::newRow("worse than all does not enter") << ladder << 101 << "";
    QTest::newRow("just better than the weakest")
        << ladder << 99 << "99 Nick|90 I|80 H|70 G|60 F|50 E|40 D|30 C|20 B|10 A";
    QTest::newRow("equal to a better entry enters")
        << ladder << 50 << "90 I|80 H|70 G|60 F|50 Nick|50 E|40 D|30 C|20 B|10 A";
    QTest::newRow("new best") << ladder << 1 << "90 I|80 H|70 G|60 F|50 E|40 D|30 C|20 B|10 A|1 Nick";
    // The new result replaces index 0 whatever stands there, also in an unsorted table.
    QTest::newRow("unsorted table loses index 0")
        << "10 A|100 J|90 I|80 H|70 G|60 F|50 E|40 D|30 C|20 B" << 55
        << "100 J|90 I|80 H|70 G|60 F|55 Nick|50 E|40 D|30 C|20 B";
}

void TestTopTenList::qualifiesOnlyWhenStrictlyBetter()
{
    QFETCH(QString, before);
    QFETCH(int, score);
    QFETCH(QString, after);

    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    setTable(hi, before);
    dialogs.inputAnswers = {QStringLiteral("Nick")};

    hi.setNewResult(StoredScore(score));
    hi.considerNewResult();

    QCOMPARE(hi.newResultAdded(), !after.isEmpty());
    QCOMPARE(tableText(hi), table(after.isEmpty() ? before : after));
    QCOMPARE(int(dialogs.calls.size()), after.isEmpty() ? 0 : 1);
    QVERIFY(store.values.isEmpty()); // storing is the caller's decision
}

void TestTopTenList::aResultThatFailsClearsTheFlag()
{
    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    dialogs.inputAnswers = {QStringLiteral("Nick")};
    hi.setNewResult(StoredScore(100));
    hi.considerNewResult();
    QVERIFY(hi.newResultAdded());

    hi.setNewResult(StoredScore(3600));
    hi.considerNewResult();
    QCOMPARE(hi.newResultAdded(), false);
    QCOMPARE(int(dialogs.calls.size()), 1);
}

void TestTopTenList::asksUntilTheNicknameFits_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("name");

    const QString grin = QString::fromUtf8("\U0001F600");
    QTest::newRow("valid at once") << QStringList{"Abc"} << "Abc   ";
    QTest::newRow("six taken whole") << QStringList{"Sixsix"} << "Sixsix";
    QTest::newRow("one character") << QStringList{"x"} << "x     ";
    QTest::newRow("the default") << QStringList{"Pocong"} << "Pocong";
    QTest::newRow("stored as typed") << QStringList{" lOw "} << " lOw  ";
    QTest::newRow("empty, then valid") << QStringList{"", "Bob"} << "Bob   ";
    QTest::newRow("cancel, then valid") << QStringList{QString(), "Bob"} << "Bob   ";
    QTest::newRow("too long, then valid") << QStringList{"Seventy", "Bob"} << "Bob   ";
    QTest::newRow("all three, then valid") << QStringList{"Seventy", QString(), "", "Bob"} << "Bob   ";
    QTest::newRow("six emoji taken whole") << QStringList{grin.repeated(6)} << grin.repeated(6);
    QTest::newRow("seven emoji asked again") << QStringList{grin.repeated(7), grin} << grin + "     ";
    QTest::newRow("line break becomes a space") << QStringList{"Ab\nCd"} << "Ab Cd ";
    QTest::newRow("pasted CR LF is one space") << QStringList{"Ab\r\nCd"} << "Ab Cd ";
    QTest::newRow("tab becomes a space") << QStringList{"\tAbc"} << " Abc  ";
    QTest::newRow("line separator becomes a space") << QStringList{QString::fromUtf8("Ab\u2028Cd")} << "Ab Cd ";
    QTest::newRow("six with a break taken, seven asked again")
        << QStringList{"Abc\nDefg", "Ab\nCde"} << "Ab Cde";
    QTest::newRow("six accented letters") << QStringList{QString::fromUtf8("e\u0301").repeated(6)}
                                          << QString::fromUtf8("e\u0301").repeated(6);
    // Four characters to the eye, 27 code units: it cannot be stored whole, so it is not taken.
    const QString syllables = QString(24, QChar(0x1111)) + QString::fromUtf8("\u1175\u11B0") + QStringLiteral("ab");
    QTest::newRow("few characters, too long to store, asked again") << QStringList{syllables, "Bob"} << "Bob   ";
}

void TestTopTenList::asksUntilTheNicknameFits()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, name);

    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    dialogs.inputAnswers.assign(answers.begin(), answers.end());

    hi.setNewResult(StoredScore(57));
    hi.considerNewResult();

    QCOMPARE(int(dialogs.calls.size()), int(answers.size()));
    for (const FakeDialogs::Call &call : dialogs.calls) {
        QCOMPARE(call.kind, QStringLiteral("askText"));
        QCOMPARE(call.prompt, QStringLiteral("What's your nick name ?? (max 6 character)"));
        QCOMPARE(call.title, QStringLiteral("Selamat yaa, kong !!"));
        QCOMPARE(call.defaultText, QStringLiteral("Pocong"));
    }
    QCOMPARE(hi.entries()[9].name.text(), name);
    QCOMPARE(hi.entries()[9].score, StoredScore(57));
    QVERIFY(hi.newResultAdded());
}

void TestTopTenList::saveAddsTheWinToWhatIsStoredNow_data()
{
    QTest::addColumn<QString>("meanwhile"); // the store changed behind the game's back
    QTest::addColumn<int>("score");         // the win of "New"
    QTest::addColumn<QString>("after");     // the store after it
    QTest::addColumn<QString>("report");    // the note after the save; empty for none

    QTest::newRow("nothing changed")
        << Ladder << 46 << "Bob   85|Cat   80|Dan   75|Eve   70|Fay   65|Gus   60|Hal   55|Ivy   50|Joe   47|New   46" << "";
    QTest::newRow("another copy's win lands too")
        << "Bob   85|Cat   80|Dan   75|Eve   70|Fay   65|Gus   60|Hal   55|Ivy   50|Joe   47|Oth   46" << 46
        << "Cat   80|Dan   75|Eve   70|Fay   65|Gus   60|Hal   55|Ivy   50|Joe   47|Oth   46|New   46" << "";
    QTest::newRow("a hand edit is kept")
        << "Ann   90|Bob   85|Cat   80|Dan   75|Eva   71|Fay   65|Gus   60|Hal   55|Ivy   50|Joe   47" << 46
        << "Bob   85|Cat   80|Dan   75|Eva   71|Fay   65|Gus   60|Hal   55|Ivy   50|Joe   47|New   46" << "";
    QTest::newRow("the list emptied by hand")
        << "-|-|-|-|-|-|-|-|-|-" << 46
        << "Zenlor3600|Zenlor3600|Zenlor3600|Zenlor3600|Zenlor3600|Zenlor3600|Zenlor3600|Zenlor3600|Zenlor3600|New   46"
        << "";
    QTest::newRow("ten better results stored meanwhile")
        << "A     65|B     64|C     63|D     62|E     61|F     60|G     59|H     58|I     57|J     56" << 66
        << "A     65|B     64|C     63|D     62|E     61|F     60|G     59|H     58|I     57|J     56"
        << "Meanwhile ten better results were stored, so New 66 is no longer among them.";
}

void TestTopTenList::saveAddsTheWinToWhatIsStoredNow()
{
    QFETCH(QString, meanwhile);
    QFETCH(int, score);
    QFETCH(QString, after);
    QFETCH(QString, report);

    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    putStored(store, Ladder);
    hi.load();
    hi.setNewResult(StoredScore(score));
    dialogs.inputAnswers = {QStringLiteral("New")};
    hi.considerNewResult();
    QVERIFY(hi.newResultAdded());

    putStored(store, meanwhile);
    hi.save();

    QCOMPARE(storedValues(store), after);
    // Crowded out is no failure: it comes as a note.
    QCOMPARE(dialogs.reportTitles(), QStringList());
    QCOMPARE(dialogs.notes(), report.isEmpty() ? QStringList() : QStringList{report});
    // The list shows what is stored now.
    QStringList shown;
    for (const TopTenEntry &entry : hi.entries())
        shown << entry.name.text() + entry.score.toString();
    QCOMPARE(shown.join(QLatin1Char('|')), after);
}

void TestTopTenList::aDamagedEntryIsReplacedFirstAndNeverSavedAsAResult_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("after");

    // Key 5 held "Fay   65" before it was damaged.
    QTest::newRow("truncated line") << "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Fay|Gus   60|Hal   55|Ivy   50|Joe   47"
                                    << 46
                                    << "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Gus   60|Hal   55|Ivy   50|Joe   47|New   46";
    QTest::newRow("twenty-digit score")
        << "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Fay   65000000000000000000|Gus   60|Hal   55|Ivy   50|Joe   47"
        << 46 << "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Gus   60|Hal   55|Ivy   50|Joe   47|New   46";
    QTest::newRow("empty value") << "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70||Gus   60|Hal   55|Ivy   50|Joe   47"
                                 << 46
                                 << "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Gus   60|Hal   55|Ivy   50|Joe   47|New   46";
    // A damaged entry is no result, so even a weak win takes its place.
    QTest::newRow("a win worse than all") << "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Fay|Gus   60|Hal   55|Ivy   50|Joe   47"
                                          << 500
                                          << "New   500|Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Gus   60|Hal   55|Ivy   50|Joe   47";
    // The one the win does not replace is written back exactly as it was, first in line.
    QTest::newRow("two damaged entries")
        << "Ann   90|Bob   8x|Cat   80|Dan   75|Eve   70|Fay|Gus   60|Hal   55|Ivy   50|Joe   47" << 46
        << "Fay|Ann   90|Cat   80|Dan   75|Eve   70|Gus   60|Hal   55|Ivy   50|Joe   47|New   46";
}

void TestTopTenList::aDamagedEntryIsReplacedFirstAndNeverSavedAsAResult()
{
    QFETCH(QString, stored);
    QFETCH(int, score);
    QFETCH(QString, after);

    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    putStored(store, stored);
    hi.load();
    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});

    hi.setNewResult(StoredScore(score));
    dialogs.inputAnswers = {QStringLiteral("New")};
    hi.considerNewResult();
    QVERIFY(hi.newResultAdded());
    hi.save();

    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
    QCOMPARE(storedValues(store), after);
}

void TestTopTenList::aWinIsEnteredOnlyWithStepsTheListCanHold_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<bool>("entered");

    QTest::newRow("3600") << 3600 << true;
    QTest::newRow("3601") << 3601 << false;
    QTest::newRow("a million") << 1000000 << false;
}

// A damaged entry takes any win, but not one the next start would read as damaged too.
void TestTopTenList::aWinIsEnteredOnlyWithStepsTheListCanHold()
{
    QFETCH(int, score);
    QFETCH(bool, entered);

    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    putStored(store, "Ann   90|Bob   85|Cat   80|Dan   75|Eve   70|Fay|Gus   60|Hal   55|Ivy   50|Joe   47");
    hi.load();
    hi.setNewResult(StoredScore(score));
    dialogs.inputAnswers = {QStringLiteral("New")};
    hi.considerNewResult();

    QCOMPARE(hi.newResultAdded(), entered);
    QCOMPARE(dialogs.inputAnswers.empty(), entered); // the name is asked only for an entry
}

void TestTopTenList::sortsLargestFirstBySwapping_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("sorted");

    QTest::newRow("ties are swapped") << "5 A|5 B|7 C|1 D|1 E|1 F|1 G|1 H|1 I|1 J"
                                      << "7 C|5 B|5 A|1 D|1 E|1 F|1 G|1 H|1 I|1 J";
    QTest::newRow("ten equal scores keep their order") << "5 A|5 B|5 C|5 D|5 E|5 F|5 G|5 H|5 I|5 J"
                                                       << "5 A|5 B|5 C|5 D|5 E|5 F|5 G|5 H|5 I|5 J";
    QTest::newRow("ascending becomes descending") << "1 A|2 B|3 C|4 D|5 E|6 F|7 G|8 H|9 I|10 J"
                                                  << "10 J|9 I|8 H|7 G|6 F|5 E|4 D|3 C|2 B|1 A";
    QTest::newRow("numbers, not text") << "9 A|100 B|10 C|99 D|1000 E|2 F|57.5 G|57.25 H|0 I|-1 J"
                                       << "1000 E|100 B|99 D|57.5 G|57.25 H|10 C|9 A|2 F|0 I|-1 J";
}

void TestTopTenList::sortsLargestFirstBySwapping()
{
    QFETCH(QString, before);
    QFETCH(QString, sorted);

    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    setTable(hi, before);

    hi.sort();

    QCOMPARE(tableText(hi), table(sorted));
    QVERIFY(dialogs.calls.empty());
}

void TestTopTenList::aFailedNicknameEntryKeepsWhatWasDone()
{
    MemoryStore store;
    FailingInputDialogs dialogs;
    TopTenList hi(store, dialogs);

    hi.setNewResult(StoredScore(57));
    hi.considerNewResult();

    // Reported by AddTopTen alone; its first step stands, the sort and the flag never came.
    QCOMPARE(dialogs.reports, QStringList{QStringLiteral("AddTopTen: The input box could not be shown.")});
    QCOMPARE(tableText(hi), table("57 Zenlor|" + QStringLiteral("3600 Zenlor|").repeated(8) + "3600 Zenlor"));
    QCOMPARE(hi.newResultAdded(), false);
}

void TestTopTenList::quittingTakesTheTypedOrTheOfferedName_data()
{
    QTest::addColumn<QString>("typed"); // what the box held when the game began to end
    QTest::addColumn<QString>("name");
    QTest::newRow("a valid name typed") << "Rita" << "Rita  ";
    QTest::newRow("nothing typed") << "" << "Pocong";
    QTest::newRow("the box gone before it showed") << QString() << "Pocong";
    QTest::newRow("too long") << "Seventy" << "Pocong";
}

// Once the game is ending every box returns at once; asking again would never end.
void TestTopTenList::quittingTakesTheTypedOrTheOfferedName()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    MemoryStore store;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    dialogs.quittingNow = true;
    dialogs.inputAnswers = {typed, QStringLiteral("Never")};

    hi.setNewResult(StoredScore(57));
    hi.considerNewResult();
    QVERIFY(hi.newResultAdded());
    QCOMPARE(int(dialogs.calls.size()), 1);
    QCOMPARE(hi.entries()[9].name.text(), name);
    hi.save();
    QCOMPARE(store.values.value(storedKey(9)), name + QStringLiteral("57"));
}

void TestTopTenList::aResultWaitsForTheLockAndIsStoredOnceItIsFree()
{
    MemoryStore store;
    putStored(store, Ladder);
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    hi.setSaveWait(250);
    hi.load();
    store.busy = true;
    hi.setNewResult(StoredScore(52));
    dialogs.inputAnswers = {QStringLiteral("Rita")};
    hi.considerNewResult();
    hi.save();
    hi.save(); // again once the list closes: told once

    QVERIFY(hi.resultWaiting());
    QCOMPARE(dialogs.notes(), QStringList{QStringLiteral("Another copy of the game is using the Black List just now. "
                                                         "Your result is waiting and will be stored as soon as the "
                                                         "list is free.")});
    QVERIFY(dialogs.reportTitles().isEmpty());
    QCOMPARE(store.lockWaits, (std::vector<int>{250, 250}));
    QCOMPARE(storedValues(store), QString::fromLatin1(Ladder));

    // Opening the list again reads the store, and still shows the result.
    hi.load();
    QCOMPARE(hi.entries()[7].name.text(), QStringLiteral("Rita  "));
    QCOMPARE(hi.entries()[0].name.text(), QStringLiteral("Bob   "));

    // Tried again in the background, without waiting on the window's thread.
    QTest::qWait(2 * TopTenList::RetryIntervalMs + 200);
    QVERIFY(hi.resultWaiting());
    QCOMPARE(store.lockWaits.back(), 0);
    store.busy = false;
    QTRY_VERIFY_WITH_TIMEOUT(!hi.resultWaiting(), 10000);
    QCOMPARE(store.values.value(storedKey(7)), QStringLiteral("Rita  52"));
    QCOMPARE(store.values.value(storedKey(0)), QStringLiteral("Bob   85"));
    QCOMPARE(dialogs.notes().size(), 1);
    QVERIFY(dialogs.reportTitles().isEmpty());
}

void TestTopTenList::aResultStillWaitingAtQuitIsKeptAndEntersAtTheNextStart()
{
    MemoryStore store;
    putStored(store, Ladder);
    {
        FakeDialogs dialogs;
        TopTenList hi(store, dialogs);
        hi.load();
        store.busy = true;
        hi.setNewResult(StoredScore(52));
        dialogs.inputAnswers = {QStringLiteral("Rita")};
        hi.considerNewResult();
        hi.save();
        hi.storeBeforeQuit();
        QCOMPARE(store.lockWaits.back(), TopTenList::QuitWaitMs);
        QCOMPARE(store.kept, QStringList{QStringLiteral("Rita  52")});
        QCOMPARE(dialogs.notes().size(), 1); // the waiting note; nothing asked on the way out
    }
    QCOMPARE(storedValues(store), QString::fromLatin1(Ladder));

    // The next start: the lock is free again.
    store.busy = false;
    FakeDialogs dialogs;
    TopTenList hi(store, dialogs);
    hi.load();
    hi.addWaitingResults();
    QVERIFY(!hi.resultWaiting());
    QCOMPARE(store.values.value(storedKey(7)), QStringLiteral("Rita  52"));
    QCOMPARE(store.values.value(storedKey(0)), QStringLiteral("Bob   85"));
    QVERIFY(store.kept.isEmpty());
    QVERIFY(store.taken.isEmpty()); // released once stored
    QCOMPARE(dialogs.notes(), QStringList{QStringLiteral("A result that could not be stored when it was won, because "
                                                         "another copy of the game was using the Black List, enters "
                                                         "it now: Rita 52.")});

    // Taken once: a later start finds nothing.
    TopTenList later(store, dialogs);
    later.load();
    later.addWaitingResults();
    QCOMPARE(dialogs.notes().size(), 1);
}

QTEST_GUILESS_MAIN(TestTopTenList)
#include "tst_toptenlist.moc"
